#pragma once

#include "gerber/imageobject.h"

#include <QVector>
#include <cstddef>
#include <iterator>
#include <vector>

// Storage for the image objects a reader makes: objects are built in place in blocks, which is
// cheaper than one allocation each when a layer holds millions of them. When the reader expects a
// large layer, blocks are 2 MiB, aligned so that the kernel can back each with one huge page where
// it offers them on request: filling a large layer then costs a handful of page faults instead of
// one per 4 KiB. Objects stay where they are until clear().
//
// The arena is also the layer's list of objects: it reads like a list of object pointers in the
// order the objects were made (size, at, iteration), which costs no memory beyond the objects.
class ObjectArena
{
public:
    class const_iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = ImageObject*;
        using difference_type = std::ptrdiff_t;
        using pointer = ImageObject* const*;
        using reference = ImageObject*;

        ImageObject* operator*() const { return m_at; }
        const_iterator& operator++()
        {
            if (++m_at == m_end)
                enterBlock(m_blockIndex + 1);
            return *this;
        }
        bool operator==(const const_iterator& o) const { return m_at == o.m_at; }
        bool operator!=(const const_iterator& o) const { return m_at != o.m_at; }

    private:
        friend class ObjectArena;
        const_iterator(const ObjectArena* arena, std::size_t block)
            : m_arena(arena)
        {
            enterBlock(block);
        }
        void enterBlock(std::size_t block);

        const ObjectArena* m_arena = nullptr;
        std::size_t m_blockIndex = 0;
        ImageObject* m_at = nullptr; // nullptr past the last object
        ImageObject* m_end = nullptr;
    };

    ObjectArena() = default;
    ~ObjectArena() { clear(); }
    ObjectArena(const ObjectArena&) = delete;
    ObjectArena& operator=(const ObjectArena&) = delete;

    // A default-constructed object owned by the arena.
    ImageObject* create()
    {
        if (m_used == m_capacity)
            addBlock();
        return new (m_block + m_used++) ImageObject;
    }

    // A copy of the object, owned by the arena.
    ImageObject* create(const ImageObject& from) { return new (create()) ImageObject(from); }

    // --- the objects in the order they were made --------------------------------------------
    int size() const { return int(m_made + m_used); }
    int count() const { return size(); }
    bool isEmpty() const { return m_made + m_used == 0; }
    ImageObject* at(int i) const
    {
        const std::size_t position = std::size_t(i);
        return position >= m_made ? m_block + (position - m_made) : inEarlierBlock(position);
    }
    ImageObject* operator[](int i) const { return at(i); }
    ImageObject* value(int i) const { return i >= 0 && i < size() ? at(i) : nullptr; }
    ImageObject* first() const { return at(0); }
    ImageObject* last() const { return at(size() - 1); }
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, m_blocks.size()); }
    QVector<ImageObject*> toVector() const;

    // How many objects the arena will probably hold in all (a reader's estimate); without one it
    // keeps to small blocks.
    void expect(std::size_t objects) { m_expected = objects; }

    // Destroys every object and frees the blocks.
    void clear();

    // Bytes held in large blocks by all arenas of the process. They do not come from malloc, so
    // malloc's statistics miss them.
    static std::size_t largeBlockBytesInUse();

    static constexpr std::size_t SmallBlockObjects = 4096;
    static constexpr std::size_t LargeBlockBytes = std::size_t(2) << 20;
    static constexpr std::size_t LargeBlockObjects = LargeBlockBytes / sizeof(ImageObject);

private:
    struct Block
    {
        ImageObject* objects;
        std::size_t used;
        std::size_t start; // position of the first object
        bool large;
    };

    void addBlock();
    std::size_t usedIn(std::size_t block) const
    {
        return block + 1 == m_blocks.size() ? m_used : m_blocks[block].used;
    }
    ImageObject* inEarlierBlock(std::size_t position) const;

    std::vector<Block> m_blocks; // the current block's count is kept in m_used until it is full
    ImageObject* m_block = nullptr;
    std::size_t m_used = 0;
    std::size_t m_capacity = 0;
    std::size_t m_made = 0; // objects in the blocks before the current one
    std::size_t m_expected = 0;
};
