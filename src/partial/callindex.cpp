#include "callindex.h"

#include <QString>

#include <algorithm>
#include <array>
#include <functional>

namespace {
constexpr int kBlockShift = 9; // 512 entries a block: 65,536 blocks hold the 16M entries
constexpr int kStartShift = 4;
constexpr uint32_t kStartMask = (1u << kStartShift) - 1;
constexpr int kEntryBits = 24;
constexpr uint32_t kEntryMask = (1u << kEntryBits) - 1;
constexpr size_t kLongest = 255;        // what an entry's length byte holds
constexpr size_t kMostFullPercent = 85; // the hash byte keeps probing cheap this full
constexpr int kClasses = 44;
constexpr int kPairs = kClasses * kClasses;
constexpr int kGrams = kPairs + kPairs * kClasses;

// The characters a call field lets through each have a class of their own;
// anything else shares the last one, and the text comparison sorts it out.
const std::array<uint8_t, 256> kClass = [] {
    std::array<uint8_t, 256> table{};
    table.fill(kClasses - 1);
    const char *letters = " %&'(/0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (int i = 0; letters[i]; ++i)
        table[uint8_t(letters[i])] = uint8_t(i);
    return table;
}();

int pairCode(std::string_view s, size_t at)
{
    return kClass[uint8_t(s[at])] * kClasses + kClass[uint8_t(s[at + 1])];
}

int tripleCode(std::string_view s, size_t at)
{
    return kPairs + pairCode(s, at) * kClasses + kClass[uint8_t(s[at + 2])];
}

/// Every distinct fragment code of two and three characters in s, in
/// codes. The caller's buffer is reused, as this runs for each of millions
/// of calls; it is not a thread-local one, whose destructor the MinGW
/// runtime runs on freed memory when the reading thread ends.
const std::vector<int> &gramsOf(std::string_view s, std::vector<int> &codes)
{
    codes.clear();
    for (size_t i = 0; i + 1 < s.size(); ++i) {
        codes.push_back(pairCode(s, i));
        if (i + 2 < s.size())
            codes.push_back(tripleCode(s, i));
    }
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    return codes;
}

uint64_t hashOf(std::string_view call)
{
    return std::hash<std::string_view>()(call);
}

/// The hash byte a slot keeps beside the entry.
uint32_t markOf(uint64_t hash)
{
    return uint32_t(hash >> 56) << kEntryBits;
}
} // namespace

CallIndex::CallIndex() : m_slots(16, 0) {}

void CallIndex::clear()
{
    *this = CallIndex();
}

void CallIndex::reserve(size_t calls, size_t bytes)
{
    // Room that is never written costs no memory, only address space: the
    // text is reserved for the longest calls rather than copied when a
    // guess falls short.
    m_text.reserve(bytes);
    m_lengths.reserve(calls);
    m_starts.reserve((calls >> kStartShift) + 1);
    m_listedFlags.reserve(calls);
    const size_t wanted = calls * 100 / kMostFullPercent + 1;
    if (wanted > m_slots.size())
        rehash(wanted);
}

void CallIndex::freeze()
{
    m_frozen = entries();
    for (std::vector<uint16_t> &blocks : m_blocks)
        blocks.shrink_to_fit();
}

std::string_view CallIndex::text(uint32_t entry) const
{
    size_t at = m_starts[entry >> kStartShift];
    for (uint32_t e = entry & ~kStartMask; e < entry; ++e)
        at += m_lengths[e];
    return std::string_view(m_text).substr(at, m_lengths[entry]);
}

QString CallIndex::call(uint32_t entry) const
{
    const std::string_view t = text(entry);
    return QString::fromUtf8(t.data(), qsizetype(t.size()));
}

int64_t CallIndex::slotOf(std::string_view call) const
{
    const uint64_t hash = hashOf(call);
    const uint32_t mark = markOf(hash);
    const size_t size = m_slots.size();
    for (size_t s = (uint32_t(hash) * size) >> 32;; s = s + 1 == size ? 0 : s + 1) {
        const uint32_t held = m_slots[s];
        // The hash byte spares reading the text of nearly every other call.
        // Of several entries of one call, the slot names the newest.
        if (held == 0 || ((held & ~kEntryMask) == mark && text((held & kEntryMask) - 1) == call))
            return int64_t(s);
    }
}

void CallIndex::rehash(size_t size)
{
    std::vector<uint32_t> old(size, 0);
    old.swap(m_slots);
    for (const uint32_t held : old)
        if (held != 0)
            m_slots[size_t(slotOf(text((held & kEntryMask) - 1)))] = held;
}

void CallIndex::grow()
{
    if ((entries() + 1) * 100 > m_slots.size() * kMostFullPercent)
        rehash(std::max<size_t>(16, (entries() + 1) * 10 / 7));
}

const std::vector<uint16_t> &CallIndex::blocksOf(int code) const
{
    static const std::vector<uint16_t> none;
    return m_listOf.empty() || m_listOf[size_t(code)] == 0 ? none : m_blocks[m_listOf[size_t(code)] - 1];
}

void CallIndex::countGrams(std::string_view call, int delta)
{
    for (const int code : gramsOf(call, m_grams))
        m_counts[size_t(code)] += delta;
}

uint32_t CallIndex::append(std::string_view call)
{
    const uint32_t entry = entries();
    if ((entry & kStartMask) == 0)
        m_starts.push_back(uint32_t(m_text.size()));
    m_text.append(call);
    m_lengths.push_back(uint8_t(call.size()));
    m_listedFlags.push_back(true);
    ++m_listed;
    if (m_counts.empty()) {
        m_counts.assign(kGrams, 0);
        m_listOf.assign(kGrams, 0);
    }
    const auto block = uint16_t(entry >> kBlockShift);
    for (const int code : gramsOf(call, m_grams)) {
        ++m_counts[size_t(code)];
        uint32_t &list = m_listOf[size_t(code)];
        if (list == 0) {
            m_blocks.emplace_back();
            list = uint32_t(m_blocks.size());
        }
        std::vector<uint16_t> &blocks = m_blocks[list - 1];
        if (blocks.empty() || blocks.back() != block)
            blocks.push_back(block);
    }
    return entry;
}

namespace {
/// A call's text as the index keeps it; empty when it cannot be kept.
std::string_view keptText(const QByteArray &bytes, uint32_t entries)
{
    if (bytes.isEmpty() || size_t(bytes.size()) > kLongest || entries >= kEntryMask)
        return {};
    return std::string_view(bytes.constData(), size_t(bytes.size()));
}
} // namespace

void CallIndex::touch(QStringView call)
{
    put(call, true);
}

void CallIndex::add(QStringView call)
{
    put(call, false);
}

void CallIndex::put(QStringView call, bool newest)
{
    const QByteArray bytes = call.toUtf8();
    const std::string_view v = keptText(bytes, entries());
    if (v.empty())
        return;
    grow();
    const int64_t s = slotOf(v);
    if (const uint32_t held = m_slots[size_t(s)]; held != 0) {
        const uint32_t entry = (held & kEntryMask) - 1;
        if (!newest || (entry + 1 == entries() && entry >= m_frozen && m_listedFlags[entry]))
            return;
        if (m_listedFlags[entry]) {
            m_listedFlags[entry] = false;
            --m_listed;
            countGrams(v, -1);
        }
    }
    m_slots[size_t(s)] = markOf(hashOf(v)) | (append(v) + 1);
}

void CallIndex::setListed(QStringView call, bool listed)
{
    const QByteArray bytes = call.toUtf8();
    const std::string_view v(bytes.constData(), size_t(bytes.size()));
    const uint32_t held = m_slots[size_t(slotOf(v))];
    if (held == 0 || m_listedFlags[(held & kEntryMask) - 1] == listed)
        return;
    m_listedFlags[(held & kEntryMask) - 1] = listed;
    m_listed += listed ? 1 : -1;
    countGrams(v, listed ? 1 : -1);
}

bool CallIndex::contains(QStringView call) const
{
    const QByteArray bytes = call.toUtf8();
    const uint32_t held = m_slots[size_t(slotOf(std::string_view(bytes.constData(), size_t(bytes.size()))))];
    return held != 0 && m_listedFlags[(held & kEntryMask) - 1];
}

qint64 CallIndex::count(QStringView fragment) const
{
    const QByteArray bytes = fragment.toUtf8();
    const std::string_view v(bytes.constData(), size_t(bytes.size()));
    if (v.size() != 2 && v.size() != 3)
        return -1;
    if (m_counts.empty())
        return 0;
    return m_counts[size_t(v.size() == 2 ? pairCode(v, 0) : tripleCode(v, 0))];
}

CallIndex::Cursor CallIndex::find(QStringView fragment) const
{
    Cursor c;
    c.fragment = fragment.toUtf8().toStdString();
    const std::string_view v(c.fragment);
    if (v.size() < 2)
        return c;
    std::vector<int> codes;
    if (v.size() == 2)
        codes.push_back(pairCode(v, 0));
    for (size_t i = 0; i + 2 < v.size(); ++i)
        codes.push_back(tripleCode(v, i));
    // The rarest part first: the intersection can only shrink from it.
    std::sort(codes.begin(), codes.end(), [&](int a, int b) { return blocksOf(a).size() < blocksOf(b).size(); });
    c.blocks = blocksOf(codes.front());
    for (size_t i = 1; i < codes.size() && !c.blocks.empty(); ++i) {
        const std::vector<uint16_t> &other = blocksOf(codes[i]);
        std::vector<uint16_t> both;
        std::set_intersection(c.blocks.begin(), c.blocks.end(), other.begin(), other.end(), std::back_inserter(both));
        c.blocks.swap(both);
    }
    return c;
}

bool CallIndex::next(Cursor &c, uint32_t &entry) const
{
    const auto size = int64_t(entries());
    const auto frozen = int64_t(m_frozen);
    while (c.block < c.blocks.size()) {
        const int64_t b = c.late ? c.blocks[c.blocks.size() - 1 - c.block] : c.blocks[c.block];
        const int64_t lo = c.late ? std::max(b << kBlockShift, frozen) : b << kBlockShift;
        const int64_t hi = std::min((b + 1) << kBlockShift, c.late ? size : frozen);
        if (lo >= hi) {
            // Past the late entries going down, or past the frozen ones going up.
            if (!c.late)
                return false;
            c.late = false;
            c.block = 0;
            c.next = Cursor::kUnset;
            continue;
        }
        if (c.next == Cursor::kUnset)
            c.next = c.late ? hi - 1 : lo;
        if (c.next < lo || c.next >= hi) {
            ++c.block;
            c.next = Cursor::kUnset;
            continue;
        }
        const auto e = uint32_t(c.late ? c.next-- : c.next++);
        if (m_listedFlags[e] && text(e).find(c.fragment) != std::string_view::npos) {
            entry = e;
            return true;
        }
    }
    if (c.late) {
        c.late = false;
        c.block = 0;
        c.next = Cursor::kUnset;
        return next(c, entry);
    }
    return false;
}
