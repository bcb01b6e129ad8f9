#pragma once

#include <QStringView>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// Distinct calls in a fixed order, found by any fragment of two characters
/// or more. Each call is an entry; a walk takes the entries added after the
/// last freeze() first, newest first, then the ones up to it in their order
/// of adding.
/// For every two- and three-character fragment the index keeps how many
/// listed calls contain it and in which blocks of entries it stands, so a
/// search visits only the blocks where every part of the fragment occurs.
/// A log of a million QSOs has two million calls: every byte an entry costs
/// is two megabytes, so an entry keeps its length in one byte (no call comes
/// near 255 bytes; a longer text is left out) and its place in the hash
/// table in four. Up to 16,777,215 entries.
class CallIndex {
public:
    CallIndex();

    void clear();
    void reserve(size_t calls, size_t bytes);
    /// Adds call after every entry, dropping an earlier entry of it.
    void touch(QStringView call);
    /// Adds call unless it is there already (listed or not).
    void add(QStringView call);
    /// Lists or hides an entry in place; a call not in the index is left.
    void setListed(QStringView call, bool listed);
    void remove(QStringView call) { setListed(call, false); }
    bool contains(QStringView call) const;
    /// Entries added from now on come first, the newest first.
    void freeze();

    /// How many listed calls hold a fragment of two or three characters;
    /// -1 for other lengths.
    qint64 count(QStringView fragment) const;
    qint64 size() const { return m_listed; }
    uint32_t entries() const { return uint32_t(m_lengths.size()); }
    QString call(uint32_t entry) const;

    /// Where a walk over the calls holding a fragment stands.
    struct Cursor {
        std::string fragment;
        std::vector<uint16_t> blocks;
        bool late = true; ///< still among the entries added after freeze()
        size_t block = 0;
        int64_t next = kUnset;                       ///< the entry to look at next
        static constexpr int64_t kUnset = INT64_MIN; ///< the block's first, when the walk enters it
    };
    Cursor find(QStringView fragment) const;
    /// The next listed entry holding the fragment; false when there is none.
    bool next(Cursor &c, uint32_t &entry) const;

private:
    std::string_view text(uint32_t entry) const;
    int64_t slotOf(std::string_view call) const;
    uint32_t append(std::string_view call);
    /// Adds call; newest: as the newest entry even if it is there already.
    void put(QStringView call, bool newest);
    void grow();
    void rehash(size_t size);
    void countGrams(std::string_view call, int delta);
    const std::vector<uint16_t> &blocksOf(int code) const;

    std::string m_text;
    std::vector<uint8_t> m_lengths; ///< entry i's length in bytes
    std::vector<uint32_t> m_starts; ///< where every sixteenth entry starts in m_text
    std::vector<bool> m_listedFlags;
    std::vector<uint32_t> m_slots;               ///< open addressing: hash byte << 24 | entry + 1; 0 empty
    std::vector<int32_t> m_counts;               ///< per fragment code; made with the first entry
    std::vector<uint32_t> m_listOf;              ///< per fragment code: 1 + its place in m_blocks, 0 none
    std::vector<std::vector<uint16_t>> m_blocks; ///< only the fragments that occur
    std::vector<int> m_grams;                    ///< one call's fragment codes, the buffer kept
    size_t m_frozen = 0;
    qint64 m_listed = 0;
};
