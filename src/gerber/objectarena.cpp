#include "gerber/objectarena.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace {

// Small blocks first: a layer of a few thousand objects keeps a small footprint.
constexpr std::size_t smallBlocksBeforeLarge = 4;

std::atomic<std::size_t> largeBytes { 0 };

// A large block: on Linux mapped directly and aligned to its own size, the condition for the
// kernel to back it with a single huge page (asked for, not required); elsewhere plain memory.
void* allocateLarge()
{
#ifdef __linux__
    const std::size_t size = ObjectArena::LargeBlockBytes;
    void* raw = mmap(nullptr, 2 * size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + size - 1) & ~std::uintptr_t(size - 1);
    // Give back what lies before and after the aligned block.
    if (aligned > start)
        munmap(raw, aligned - start);
    if (start + 2 * size > aligned + size)
        munmap(reinterpret_cast<void*>(aligned + size), start + 2 * size - (aligned + size));
#ifdef MADV_HUGEPAGE
    madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
#endif
    return reinterpret_cast<void*>(aligned);
#else
    return std::malloc(ObjectArena::LargeBlockBytes);
#endif
}

void freeLarge(void* block)
{
#ifdef __linux__
    munmap(block, ObjectArena::LargeBlockBytes);
#else
    std::free(block);
#endif
}

} // namespace

std::size_t ObjectArena::largeBlockBytesInUse()
{
    return largeBytes.load(std::memory_order_relaxed);
}

void ObjectArena::addBlock()
{
    if (!m_blocks.empty())
        m_blocks.back().used = m_used;
    m_blocks.reserve(m_blocks.size() + 1); // before allocating, so nothing can leak below
    // A large block is taken whole as soon as it is touched: it only comes when the reader expects
    // enough objects still to fill at least half of it, so the unused end of the last block stays
    // below 1 MiB when the estimate holds.
    const std::size_t made = m_made + m_used;
    const bool large = m_blocks.size() >= smallBlocksBeforeLarge && m_expected > made
        && m_expected - made >= LargeBlockObjects / 2;
    m_made = made;
    const std::size_t objects = large ? LargeBlockObjects : SmallBlockObjects;
    void* memory = large ? allocateLarge() : std::malloc(objects * sizeof(ImageObject));
    if (!memory)
        throw std::bad_alloc();
    if (large)
        largeBytes.fetch_add(LargeBlockBytes, std::memory_order_relaxed);
    m_blocks.push_back(Block { static_cast<ImageObject*>(memory), 0, made, large });
    m_block = static_cast<ImageObject*>(memory);
    m_used = 0;
    m_capacity = objects;
}

void ObjectArena::clear()
{
    if (!m_blocks.empty())
        m_blocks.back().used = m_used;
    // Image objects own nothing (they are trivially destructible): the blocks are freed whole.
    for (const Block& block : m_blocks) {
        if (block.large) {
            freeLarge(block.objects);
            largeBytes.fetch_sub(LargeBlockBytes, std::memory_order_relaxed);
        } else {
            std::free(block.objects);
        }
    }
    m_blocks.clear();
    m_block = nullptr;
    m_used = 0;
    m_capacity = 0;
    m_made = 0;
    m_expected = 0;
}

void ObjectArena::const_iterator::enterBlock(std::size_t block)
{
    m_blockIndex = block;
    const std::size_t used = block < m_arena->m_blocks.size() ? m_arena->usedIn(block) : 0;
    if (used == 0) {
        m_at = m_end = nullptr;
        return;
    }
    m_at = m_arena->m_blocks[block].objects;
    m_end = m_at + used;
}

ImageObject* ObjectArena::inEarlierBlock(std::size_t position) const
{
    const auto block = std::upper_bound(m_blocks.begin(), m_blocks.end(), position,
                           [](std::size_t p, const Block& b) { return p < b.start; })
        - 1;
    return block->objects + (position - block->start);
}

QVector<ImageObject*> ObjectArena::toVector() const
{
    QVector<ImageObject*> list;
    list.reserve(size());
    for (ImageObject* o : *this)
        list.append(o);
    return list;
}
