#pragma once

#include "gerber/imageobject.h"

#include <QHash>
#include <QVector>
#include <cstddef>
#include <iterator>
#include <vector>

// Storage for the image objects a reader makes: objects are built in place in chunks (see
// ObjectChunk), which is cheaper than one allocation each when a layer holds millions of them.
// When the reader expects a large layer, chunks come 32 at a time in 2 MiB blocks, aligned so that
// the kernel can back each with one huge page where it offers them on request: filling a large
// layer then costs a handful of page faults instead of one per 4 KiB. Objects stay where they are
// until clear().
//
// Every chunk but the last is full. Each holds the table of its objects' attribute words; a word
// is entered there the first time one of the chunk's objects has it.
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
                enterChunk(m_chunkIndex + 1);
            return *this;
        }
        bool operator==(const const_iterator& o) const { return m_at == o.m_at; }
        bool operator!=(const const_iterator& o) const { return m_at != o.m_at; }

    private:
        friend class ObjectArena;
        const_iterator(const ObjectArena* arena, std::size_t chunk)
            : m_arena(arena)
        {
            enterChunk(chunk);
        }
        void enterChunk(std::size_t chunk);

        const ObjectArena* m_arena = nullptr;
        std::size_t m_chunkIndex = 0;
        ImageObject* m_at = nullptr; // nullptr past the last object
        ImageObject* m_end = nullptr;
    };

    ObjectArena() = default;
    ~ObjectArena() { clear(); }
    ObjectArena(const ObjectArena&) = delete;
    ObjectArena& operator=(const ObjectArena&) = delete;

    // A new object at the point with the attribute word (see ObjectWord), owned by the arena.
    ImageObject* create(quint64 word, double x, double y)
    {
        if (m_used == m_capacity)
            addChunk();
        m_chunk->codes()[m_used] = word == m_lastWord ? m_lastCode : codeOf(word);
        return new (objectsOf(m_chunk) + m_used++) ImageObject(x, y);
    }

    // Gives every object with an aperture the aperture the function returns for it, which must
    // differ for different apertures. It is called once for each aperture, in the order of the
    // objects first having it.
    template <typename Map> void mapApertures(Map&& map)
    {
        QHash<const Aperture*, Aperture*> mapped;
        const auto remap = [&](quint64& word) {
            Aperture* from = ObjectWord::aperture(word);
            if (!from)
                return;
            auto it = mapped.find(from);
            if (it == mapped.end())
                it = mapped.insert(from, map(from));
            word = ObjectWord::withAperture(word, it.value());
        };
        // A chunk's table fills before any word is kept by slot, so this is the order of use.
        for (ObjectChunk* chunk : m_chunks) {
            for (quint16 i = 0; i < chunk->wordCount; ++i)
                remap(chunk->words[i]);
            for (quint16 i = 0; i < chunk->overflowCount; ++i)
                remap(chunk->overflowWords[i]);
        }
        restartLookup();
    }

    // --- the objects in the order they were made --------------------------------------------
    int size() const { return int(m_made + m_used); }
    int count() const { return size(); }
    bool isEmpty() const { return m_made + m_used == 0; }
    ImageObject* at(int i) const
    {
        const std::size_t position = std::size_t(i);
        return position >= m_made
            ? objectsOf(m_chunk) + (position - m_made)
            : objectsOf(m_chunks[position / ObjectChunk::Objects]) + position % ObjectChunk::Objects;
    }
    ImageObject* operator[](int i) const { return at(i); }
    ImageObject* value(int i) const { return i >= 0 && i < size() ? at(i) : nullptr; }
    ImageObject* first() const { return at(0); }
    ImageObject* last() const { return at(size() - 1); }
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, m_chunks.size()); }
    QVector<ImageObject*> toVector() const;

    // How many objects the arena will probably hold in all (a reader's estimate); without one it
    // keeps to single chunks.
    void expect(std::size_t objects) { m_expected = objects; }

    // Destroys every object and frees the chunks.
    void clear();

    // Bytes held in large blocks by all arenas of the process. They do not come from malloc, so
    // malloc's statistics miss them.
    static std::size_t largeBlockBytesInUse();

    static constexpr std::size_t SmallBlockObjects = ObjectChunk::Objects;
    static constexpr std::size_t LargeBlockBytes = std::size_t(2) << 20;
    static constexpr std::size_t LargeBlockChunks = LargeBlockBytes / ObjectChunk::Bytes;
    static constexpr std::size_t LargeBlockObjects = LargeBlockChunks * ObjectChunk::Objects;

private:
    struct Allocation
    {
        void* memory;
        bool large;
    };

    static ImageObject* objectsOf(const ObjectChunk* chunk)
    {
        return reinterpret_cast<ImageObject*>(
            reinterpret_cast<quintptr>(chunk) + quintptr(ObjectChunk::ObjectsOffset));
    }
    void addChunk();
    // The code of the word for the next object of the current chunk, entering the word in the
    // chunk's table if new, or for that object alone once the table is full.
    quint8 codeOf(quint64 word);
    quint8 noteLast(quint64 word, quint8 code)
    {
        m_lastWord = word;
        m_lastCode = code;
        return code;
    }
    // Forgets the look-up state of the current chunk and builds it again from its table.
    void restartLookup();
    std::size_t usedIn(std::size_t chunk) const
    {
        return chunk + 1 == m_chunks.size() ? m_used : ObjectChunk::Objects;
    }

    std::vector<Allocation> m_allocations;
    std::vector<ObjectChunk*> m_chunks;
    ObjectChunk* m_chunk = nullptr; // the last chunk, the one being filled
    std::size_t m_used = 0; // objects in the last chunk
    std::size_t m_capacity = 0; // a chunk's objects; 0 without chunks
    std::size_t m_made = 0; // objects in the chunks before the last
    std::size_t m_spareChunks = 0; // chunks of the last large block not yet taken
    std::size_t m_expected = 0;
    // The word and code entered last: readers make runs of objects with the same attributes.
    quint64 m_lastWord = NoWord;
    quint8 m_lastCode = 0;
    // Past a few words, the current chunk's words are found through an open-addressed table of
    // code + 1 (0 for an empty slot).
    std::vector<quint8> m_lookup;
    bool m_lookupInUse = false;

    // Never a word: pointer bits that no aperture has.
    static constexpr quint64 NoWord = ObjectWord::PointerBits;
};
