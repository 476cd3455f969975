#pragma once

#include "gerber/imageobject.h"

#include <cstddef>
#include <vector>

// Storage for the image objects a reader makes: objects are built in place in blocks, which is
// cheaper than one allocation each when a layer holds millions of them. When the reader expects a
// large layer, blocks are 2 MiB, aligned so that the kernel can back each with one huge page where
// it offers them on request: filling a large layer then costs a handful of page faults instead of
// one per 4 KiB. Objects stay where they are until clear().
class ObjectArena
{
public:
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
        bool large;
    };

    void addBlock();

    std::vector<Block> m_blocks; // the current block's count is kept in m_used until it is full
    ImageObject* m_block = nullptr;
    std::size_t m_used = 0;
    std::size_t m_capacity = 0;
    std::size_t m_made = 0; // objects in the blocks before the current one
    std::size_t m_expected = 0;
};
