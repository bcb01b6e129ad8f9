#include "callindex.h"

#include <QString>

#include <algorithm>
#include <array>
#include <functional>

namespace {
constexpr int kBlockShift = 8; // 256 entries a block: 65,536 blocks hold 16M calls
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

/// Every distinct fragment code of two and three characters in s; the
/// buffer is reused, as this runs for each of millions of calls.
const std::vector<int> &gramsOf(std::string_view s)
{
    static thread_local std::vector<int> codes;
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
} // namespace

CallIndex::CallIndex() : m_slots(16, 0), m_counts(kGrams, 0), m_blocks(kGrams) {}

void CallIndex::clear()
{
    *this = CallIndex();
}

void CallIndex::reserve(size_t calls, size_t bytes)
{
    m_text.reserve(bytes);
    m_offsets.reserve(calls + 1);
    m_listedFlags.reserve(calls);
    size_t wanted = 16;
    while (wanted * 3 < (calls + 1) * 4)
        wanted *= 2;
    if (wanted > m_slots.size()) {
        m_slots.assign(wanted, 0);
        for (uint32_t e = 0; e + 1 < m_offsets.size(); ++e)
            m_slots[size_t(slotOf(text(e)))] = e + 1;
    }
}

void CallIndex::freeze()
{
    m_frozen = m_offsets.size() - 1;
    for (std::vector<uint16_t> &blocks : m_blocks)
        blocks.shrink_to_fit();
}

std::string_view CallIndex::text(uint32_t entry) const
{
    return std::string_view(m_text).substr(m_offsets[entry], m_offsets[entry + 1] - m_offsets[entry]);
}

QString CallIndex::call(uint32_t entry) const
{
    const std::string_view t = text(entry);
    return QString::fromUtf8(t.data(), qsizetype(t.size()));
}

int64_t CallIndex::slotOf(std::string_view call) const
{
    const size_t mask = m_slots.size() - 1;
    for (size_t s = std::hash<std::string_view>()(call) & mask;; s = (s + 1) & mask) {
        const uint32_t held = m_slots[s];
        // Of several entries of one call, the slot names the newest.
        if (held == 0 || text(held - 1) == call)
            return int64_t(s);
    }
}

void CallIndex::grow()
{
    // Up to three quarters full: a million QSOs' two million calls fit in
    // four million slots.
    if (m_offsets.size() * 4 <= m_slots.size() * 3)
        return;
    std::vector<uint32_t> old(m_slots.size() * 2, 0);
    old.swap(m_slots);
    for (const uint32_t held : old)
        if (held != 0)
            m_slots[size_t(slotOf(text(held - 1)))] = held;
}

void CallIndex::countGrams(std::string_view call, int delta)
{
    for (const int code : gramsOf(call))
        m_counts[size_t(code)] += delta;
}

uint32_t CallIndex::append(std::string_view call)
{
    const auto entry = uint32_t(m_offsets.size() - 1);
    m_text.append(call);
    m_offsets.push_back(uint32_t(m_text.size()));
    m_listedFlags.push_back(true);
    ++m_listed;
    const auto block = uint16_t(entry >> kBlockShift);
    for (const int code : gramsOf(call)) {
        ++m_counts[size_t(code)];
        std::vector<uint16_t> &blocks = m_blocks[size_t(code)];
        if (blocks.empty() || blocks.back() != block)
            blocks.push_back(block);
    }
    return entry;
}

void CallIndex::touch(QStringView call)
{
    const QByteArray bytes = call.toUtf8();
    const std::string_view v(bytes.constData(), size_t(bytes.size()));
    grow();
    const int64_t s = slotOf(v);
    if (const uint32_t held = m_slots[size_t(s)]; held != 0) {
        const uint32_t entry = held - 1;
        if (entry + 2 == m_offsets.size() && entry >= m_frozen && m_listedFlags[entry])
            return;
        if (m_listedFlags[entry]) {
            m_listedFlags[entry] = false;
            --m_listed;
            countGrams(v, -1);
        }
    }
    m_slots[size_t(s)] = append(v) + 1;
}

void CallIndex::add(QStringView call)
{
    const QByteArray bytes = call.toUtf8();
    const std::string_view v(bytes.constData(), size_t(bytes.size()));
    grow();
    const int64_t s = slotOf(v);
    if (m_slots[size_t(s)] == 0)
        m_slots[size_t(s)] = append(v) + 1;
}

void CallIndex::setListed(QStringView call, bool listed)
{
    const QByteArray bytes = call.toUtf8();
    const std::string_view v(bytes.constData(), size_t(bytes.size()));
    const uint32_t held = m_slots[size_t(slotOf(v))];
    if (held == 0 || m_listedFlags[held - 1] == listed)
        return;
    m_listedFlags[held - 1] = listed;
    m_listed += listed ? 1 : -1;
    countGrams(v, listed ? 1 : -1);
}

bool CallIndex::contains(QStringView call) const
{
    const QByteArray bytes = call.toUtf8();
    const uint32_t held = m_slots[size_t(slotOf(std::string_view(bytes.constData(), size_t(bytes.size()))))];
    return held != 0 && m_listedFlags[held - 1];
}

qint64 CallIndex::count(QStringView fragment) const
{
    const QByteArray bytes = fragment.toUtf8();
    const std::string_view v(bytes.constData(), size_t(bytes.size()));
    if (v.size() == 2)
        return m_counts[size_t(pairCode(v, 0))];
    if (v.size() == 3)
        return m_counts[size_t(tripleCode(v, 0))];
    return -1;
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
    std::sort(codes.begin(), codes.end(),
              [&](int a, int b) { return m_blocks[size_t(a)].size() < m_blocks[size_t(b)].size(); });
    c.blocks = m_blocks[size_t(codes.front())];
    for (size_t i = 1; i < codes.size() && !c.blocks.empty(); ++i) {
        const std::vector<uint16_t> &other = m_blocks[size_t(codes[i])];
        std::vector<uint16_t> both;
        std::set_intersection(c.blocks.begin(), c.blocks.end(), other.begin(), other.end(), std::back_inserter(both));
        c.blocks.swap(both);
    }
    return c;
}

bool CallIndex::next(Cursor &c, uint32_t &entry) const
{
    const auto size = int64_t(m_offsets.size() - 1);
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
