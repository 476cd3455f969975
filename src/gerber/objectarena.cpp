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

// Memory aligned to a chunk's size.
void* allocateAligned(std::size_t size)
{
#ifdef _WIN32
    return _aligned_malloc(size, ObjectChunk::Bytes);
#else
    return std::aligned_alloc(ObjectChunk::Bytes, size);
#endif
}

void freeAligned(void* memory)
{
#ifdef _WIN32
    _aligned_free(memory);
#else
    std::free(memory);
#endif
}

// A large block: on Linux mapped directly and aligned to its own size, the condition for the
// kernel to back it with a single huge page (asked for, not required); elsewhere plain memory
// aligned for chunks.
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
    return allocateAligned(ObjectArena::LargeBlockBytes);
#endif
}

void freeLarge(void* block)
{
#ifdef __linux__
    munmap(block, ObjectArena::LargeBlockBytes);
#else
    freeAligned(block);
#endif
}

// Table slots for the words of one chunk: a power of two, at least twice the most words a chunk
// can hold.
constexpr std::size_t lookupSlots = 512;
static_assert(sizeof(ObjectChunk) <= ObjectChunk::HeaderBytes, "a chunk's header fits before its codes");
static_assert(sizeof(ImageObject) == ObjectChunk::ObjectBytes, "an object is its point");
static_assert(
    ObjectChunk::Bytes % alignof(ImageObject) == 0 && ObjectChunk::ObjectsOffset % alignof(ImageObject) == 0,
    "objects are aligned in their chunk");
static_assert(ObjectChunk::CodesOffset + ObjectChunk::Objects <= ObjectChunk::ObjectsOffset,
    "codes end before the objects");
static_assert(ObjectChunk::Objects <= 0xffff, "slots fit in 16 bits");
static_assert(lookupSlots >= 2 * ObjectChunk::MaxWords, "the look-up table has room for a chunk's words");
// Words a chunk holds before the look-up table replaces a linear search.
constexpr quint16 linearWords = 8;

std::size_t slotOf(quint64 word)
{
    return std::size_t((word * 0x9e3779b97f4a7c15ull) >> 55) & (lookupSlots - 1);
}

// Makes room for one more item in a malloc'd array of `count` items with room for `capacity`;
// returns the room it has then. A chunk holds fewer items than objects.
template <typename T> quint16 grown(T*& items, quint16 count, quint16 capacity)
{
    if (count < capacity)
        return capacity;
    const auto larger = quint16(std::min<int>(capacity == 0 ? 4 : 2 * capacity, ObjectChunk::Objects));
    void* memory = std::realloc(items, larger * sizeof(T));
    if (!memory)
        throw std::bad_alloc();
    items = static_cast<T*>(memory);
    return larger;
}

} // namespace

std::size_t ObjectArena::largeBlockBytesInUse()
{
    return largeBytes.load(std::memory_order_relaxed);
}

void ObjectArena::addChunk()
{
    m_allocations.reserve(m_allocations.size() + 1); // before allocating, so nothing can leak below
    m_chunks.reserve(m_chunks.size() + 1);
    const std::size_t made = m_made + m_used;
    ObjectChunk* chunk = nullptr;
    if (m_spareChunks > 0) {
        chunk = reinterpret_cast<ObjectChunk*>(reinterpret_cast<char*>(m_chunk) + ObjectChunk::Bytes);
        --m_spareChunks;
    } else {
        // A large block is taken whole as soon as it is touched: it only comes when the reader
        // expects enough objects still to fill at least half of it, so the unused end of the
        // last block stays below 1 MiB when the estimate holds.
        const bool large = m_allocations.size() >= smallBlocksBeforeLarge && m_expected > made
            && m_expected - made >= LargeBlockObjects / 2;
        void* memory = large ? allocateLarge() : allocateAligned(ObjectChunk::Bytes);
        if (!memory)
            throw std::bad_alloc();
        if (large)
            largeBytes.fetch_add(LargeBlockBytes, std::memory_order_relaxed);
        m_allocations.push_back(Allocation { memory, large });
        m_spareChunks = large ? LargeBlockChunks - 1 : 0;
        chunk = static_cast<ObjectChunk*>(memory);
    }
    *chunk = ObjectChunk {};
    m_chunks.push_back(chunk);
    m_chunk = chunk;
    m_made = made;
    m_used = 0;
    m_capacity = ObjectChunk::Objects;
    restartLookup();
}

quint8 ObjectArena::codeOf(quint64 word)
{
    ObjectChunk* chunk = m_chunk;
    std::size_t slot = 0;
    if (m_lookupInUse) {
        for (slot = slotOf(word); m_lookup[slot] != 0; slot = (slot + 1) & (lookupSlots - 1)) {
            if (chunk->words[m_lookup[slot] - 1] == word)
                return noteLast(word, quint8(m_lookup[slot] - 1));
        }
    } else {
        for (quint16 i = 0; i < chunk->wordCount; ++i) {
            if (chunk->words[i] == word)
                return noteLast(word, quint8(i));
        }
    }
    if (chunk->wordCount == ObjectChunk::MaxWords) {
        // Kept for this object alone (and never the last word, whose code is reused).
        const quint16 capacity = grown(chunk->overflowWords, chunk->overflowCount, chunk->overflowCapacity);
        grown(chunk->overflowSlots, chunk->overflowCount, chunk->overflowCapacity);
        chunk->overflowCapacity = capacity;
        chunk->overflowWords[chunk->overflowCount] = word;
        chunk->overflowSlots[chunk->overflowCount] = quint16(m_used);
        ++chunk->overflowCount;
        return ObjectChunk::Overflow;
    }
    chunk->wordCapacity = grown(chunk->words, chunk->wordCount, chunk->wordCapacity);
    const auto code = quint8(chunk->wordCount++);
    chunk->words[code] = word;
    if (m_lookupInUse)
        m_lookup[slot] = quint8(code + 1);
    else if (chunk->wordCount > linearWords)
        restartLookup();
    return noteLast(word, code);
}

void ObjectArena::restartLookup()
{
    m_lastWord = NoWord;
    if (m_lookupInUse)
        std::fill(m_lookup.begin(), m_lookup.end(), quint8(0));
    m_lookupInUse = m_chunk && m_chunk->wordCount > linearWords;
    if (!m_lookupInUse)
        return;
    m_lookup.resize(lookupSlots);
    for (quint16 code = 0; code < m_chunk->wordCount; ++code) {
        std::size_t slot = slotOf(m_chunk->words[code]);
        while (m_lookup[slot] != 0)
            slot = (slot + 1) & (lookupSlots - 1);
        m_lookup[slot] = quint8(code + 1);
    }
}

void ObjectArena::clear()
{
    // Image objects own nothing (they are trivially destructible): the chunks are freed whole.
    for (ObjectChunk* chunk : m_chunks) {
        std::free(chunk->words);
        std::free(chunk->overflowWords);
        std::free(chunk->overflowSlots);
    }
    for (const Allocation& allocation : m_allocations) {
        if (allocation.large) {
            freeLarge(allocation.memory);
            largeBytes.fetch_sub(LargeBlockBytes, std::memory_order_relaxed);
        } else {
            freeAligned(allocation.memory);
        }
    }
    m_allocations.clear();
    m_chunks.clear();
    m_chunk = nullptr;
    m_used = 0;
    m_capacity = 0;
    m_made = 0;
    m_spareChunks = 0;
    m_expected = 0;
    restartLookup();
    m_lookup = std::vector<quint8>();
}

void ObjectArena::const_iterator::enterChunk(std::size_t chunk)
{
    m_chunkIndex = chunk;
    const std::size_t used = chunk < m_arena->m_chunks.size() ? m_arena->usedIn(chunk) : 0;
    if (used == 0) {
        m_at = m_end = nullptr;
        return;
    }
    m_at = objectsOf(m_arena->m_chunks[chunk]);
    m_end = m_at + used;
}

QVector<ImageObject*> ObjectArena::toVector() const
{
    QVector<ImageObject*> list;
    list.reserve(size());
    for (ImageObject* o : *this)
        list.append(o);
    return list;
}

quint64 ObjectChunk::overflowWordAt(std::size_t slot) const
{
    const quint16* end = overflowSlots + overflowCount;
    const quint16* at = std::lower_bound(static_cast<const quint16*>(overflowSlots), end, quint16(slot));
    return at != end && *at == slot ? overflowWords[at - overflowSlots]
                                    : ObjectWord::pack(nullptr, ObjectKind(), true);
}
