#include "browser/Sort.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "framework/Mbcs.h"
#include "framework/WidePath.h"

// The name comparison compares the character codes (a lead/trail pair as one code) of lower-cased copies
// (mbcs::LowerAscii). It is done here without making the copies: lower-casing touches single-byte letters
// only, which are never lead bytes, so the copies split into the same characters as the originals and
// each character can be lowered as it is read.
//
// Path order (mode 32): names of equal depth (number of backslashes) compare as in name order; of two
// names of different depth the shallower comes first when the deeper begins with its folder part (up to
// and including its last backslash), and otherwise they compare as in name order. That is the name order
// of the strings in which a code 0 stands right after the last backslash: a name whose folder part begins
// the other name comes first, and otherwise the two differ inside the shallower one's folder part, where
// the inserted code changes nothing. The comparison therefore walks both names once with a virtual code 0 at each one's split.

namespace {

constexpr std::size_t kNoSplit = static_cast<std::size_t>(-1);

class NameWalker {
 public:
  NameWalker(std::string_view s, std::size_t from, std::size_t split, const mbcs::LeadBytes& lead)
      : m_s(reinterpret_cast<const unsigned char*>(s.data())), m_n(s.size()), m_i(from), m_split(split),
        m_lead(lead) {}
  bool AtEnd() const { return m_i >= m_n && m_i != m_split; }
  // The next character code, ASCII letters lowered; the virtual 0 at the split comes first.
  unsigned Next() {
    if (m_i == m_split) {
      m_split = kNoSplit;
      return 0;
    }
    unsigned c = m_s[m_i];
    if (m_lead.IsLead(static_cast<unsigned char>(c)) && m_i + 1 < m_n) {
      unsigned code = (c << 8) | m_s[m_i + 1];
      m_i += 2;
      return code;
    }
    ++m_i;
    return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
  }

 private:
  const unsigned char* m_s;
  std::size_t m_n;
  std::size_t m_i;
  std::size_t m_split;
  const mbcs::LeadBytes& m_lead;
};

// Compares a and b from byte from on (a character boundary of both, in their common prefix), with the
// virtual code 0 at the splits (kNoSplit: none).
int CompareWalk(std::string_view a, std::size_t splitA, std::string_view b, std::size_t splitB,
                std::size_t from, const mbcs::LeadBytes& lead) {
  NameWalker wa(a, from, splitA, lead), wb(b, from, splitB, lead);
  while (!wa.AtEnd() && !wb.AtEnd()) {
    unsigned ca = wa.Next(), cb = wb.Next();
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (!wa.AtEnd()) return 1;
  if (!wb.AtEnd()) return -1;
  return 0;
}

// The byte index just after the last single-byte backslash (0 when there is none).
std::size_t SplitOf(std::string_view s, const mbcs::LeadBytes& lead) {
  std::size_t split = 0;
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t n = lead.CharLength(s, i);
    i += n;
    if (n == 1 && s[i - 1] == '\\') split = i;
  }
  return split;
}

// Files of every class, engine and shortcut bit form one group above all other kinds.
std::uint32_t GroupOf(EntryKind kind) { return kind > 0xB00 ? 0xB01 : kind; }

int CompareTimes(std::int64_t a, std::int64_t b) { return a < b ? -1 : (a > b ? 1 : 0); }

// The name walk; names that are the same in the code page (they differ only where it has no character,
// or only in case) are then ordered by their wide paths, so that the order is total.
int CompareNames(const FileEntry& a, std::size_t splitA, const FileEntry& b, std::size_t splitB,
                 std::size_t from, const mbcs::LeadBytes& lead) {
  const int c = CompareWalk(a.name, splitA, b.name, splitB, from, lead);
  return c != 0 ? c : wide::Compare(a.widePath, b.widePath);
}

// The mode's comparison of two entries of the same group.
int CompareWithinGroup(const FileEntry& a, std::size_t splitA, const FileEntry& b, std::size_t splitB,
                       SortMode mode, std::size_t from, const mbcs::LeadBytes& lead) {
  switch (mode) {
    case SORT_NAME_FORWARD:
      return CompareNames(a, kNoSplit, b, kNoSplit, from, lead);
    case SORT_NAME_REVERSE:
      return -CompareNames(a, kNoSplit, b, kNoSplit, from, lead);
    case SORT_TIME_FORWARD:
      return CompareTimes(a.lastWriteTime, b.lastWriteTime);
    case SORT_TIME_REVERSE:
      return -CompareTimes(a.lastWriteTime, b.lastWriteTime);
    case SORT_PATH:
      return CompareNames(a, splitA, b, splitB, from, lead);
    default:
      return 0;
  }
}

// Sort keys. Each carries what its comparisons read, so that most comparisons stay inside the key array:
// the group, the time, and the first 16 bytes of an order-preserving byte encoding of the name from the
// skipped prefix on. The encoding of a character: an ASCII byte (lowered) as itself, a single byte of
// 0x80 and above (half-width katakana) as 0x80 followed by it, a double-byte character as its two bytes
// (lead 0x81 and above), the virtual code 0 of path order as 0x00; the end is padded with 0x00. Byte-wise
// order of the encodings is the order of the code sequences, so keys that differ decide the comparison;
// equal keys (a tie within 16 bytes, or the padding against a virtual 0) fall back to the full walk.
struct Key {
  std::uint64_t prefix[2];
  std::int64_t time;
  std::uint32_t group;
  std::uint32_t from;  // the bytes all names of the group share, skipped by its comparisons
  std::size_t split;
  FileEntry* entry;
};

// Sets each key's from: the length of the prefix the names of its group share (comparisons never cross
// groups), cut back to a character boundary (a lead byte whose trail lies beyond the shared bytes ends
// it), so that every name of the group splits into the same characters up to there; in path order never
// beyond a name's split, so that no virtual code is skipped.
void SetSharedPrefixes(std::vector<Key>& keys, SortMode mode, const mbcs::LeadBytes& lead) {
  struct Group {
    std::uint32_t group;
    std::string_view first;
    std::size_t len;
  };
  std::vector<Group> groups;
  std::size_t last = 0;
  auto find = [&](std::uint32_t g) -> Group& {
    if (last < groups.size() && groups[last].group == g) return groups[last];
    for (last = 0; last < groups.size(); ++last)
      if (groups[last].group == g) return groups[last];
    groups.push_back({g, {}, kNoSplit});
    return groups.back();
  };
  for (const Key& k : keys) {
    Group& g = find(k.group);
    std::string_view s = k.entry->name;
    if (g.len == kNoSplit) {
      g.first = s;
      g.len = s.size();
    } else {
      std::size_t m = std::min(g.len, s.size());
      g.len = static_cast<std::size_t>(std::mismatch(g.first.begin(), g.first.begin() + m, s.begin()).first -
                                       g.first.begin());
    }
    if (mode == SORT_PATH) g.len = std::min(g.len, k.split);
  }
  for (Group& g : groups) {
    std::size_t boundary = 0;
    for (std::size_t i = 0; i < g.len;) {
      std::size_t step = lead.IsLead(static_cast<unsigned char>(g.first[i])) ? 2 : 1;
      if (i + step > g.len) break;
      i += step;
      boundary = i;
    }
    g.len = boundary;
  }
  for (Key& k : keys) k.from = static_cast<std::uint32_t>(find(k.group).len);
}

void EncodePrefix(Key& key, std::string_view s, std::size_t from, const mbcs::LeadBytes& lead) {
  unsigned char out[16] = {};
  std::size_t o = 0;
  auto put = [&](unsigned b) {
    if (o < sizeof out) out[o++] = static_cast<unsigned char>(b);
  };
  std::size_t i = from, split = key.split;
  while (o < sizeof out && (i < s.size() || i == split)) {
    if (i == split) {
      put(0);
      split = kNoSplit;
      continue;
    }
    unsigned c = static_cast<unsigned char>(s[i]);
    if (lead.CharLength(s, i) == 2) {
      put(c);
      put(static_cast<unsigned char>(s[i + 1]));
      i += 2;
      continue;
    }
    ++i;
    if (c >= 0x80) {
      put(0x80);
      put(c);
    } else {
      put((c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c);
    }
  }
  for (int w = 0; w < 2; ++w) {
    std::uint64_t v = 0;
    for (int b = 0; b < 8; ++b) v = (v << 8) | out[w * 8 + b];
    key.prefix[w] = v;
  }
}

}  // namespace

bool IsSortMode(SortMode mode) {
  return mode == SORT_NAME_FORWARD || mode == SORT_NAME_REVERSE || mode == SORT_TIME_FORWARD ||
         mode == SORT_TIME_REVERSE || mode == SORT_PATH;
}

int CompareEntries(const FileEntry& a, const FileEntry& b, SortMode mode) {
  if (!IsSortMode(mode)) return 0;
  std::uint32_t ga = GroupOf(a.kind), gb = GroupOf(b.kind);
  if (ga != gb) return ga < gb ? -1 : 1;
  const mbcs::LeadBytes lead = mbcs::LeadBytes::Current();
  std::size_t splitA = mode == SORT_PATH ? SplitOf(a.name, lead) : kNoSplit;
  std::size_t splitB = mode == SORT_PATH ? SplitOf(b.name, lead) : kNoSplit;
  return CompareWithinGroup(a, splitA, b, splitB, mode, 0, lead);
}

void Sort(FileEntry* entries, std::size_t count, SortMode mode) {
  if (!entries || count < 2 || !IsSortMode(mode)) return;
  const mbcs::LeadBytes lead = mbcs::LeadBytes::Current();
  const bool byTime = mode == SORT_TIME_FORWARD || mode == SORT_TIME_REVERSE;

  std::vector<Key> keys(count);
  for (std::size_t i = 0; i < count; ++i) {
    Key& k = keys[i];
    k.entry = &entries[i];
    k.group = GroupOf(entries[i].kind);
    k.time = entries[i].lastWriteTime;
    k.split = mode == SORT_PATH ? SplitOf(entries[i].name, lead) : kNoSplit;
    k.from = 0;
  }
  if (!byTime) {
    SetSharedPrefixes(keys, mode, lead);
    for (Key& k : keys) EncodePrefix(k, k.entry->name, k.from, lead);
  }

  switch (mode) {
    case SORT_TIME_FORWARD:
      std::sort(keys.begin(), keys.end(), [](const Key& x, const Key& y) {
        return x.group != y.group ? x.group < y.group : x.time < y.time;
      });
      break;
    case SORT_TIME_REVERSE:
      std::sort(keys.begin(), keys.end(), [](const Key& x, const Key& y) {
        return x.group != y.group ? x.group < y.group : x.time > y.time;
      });
      break;
    default: {
      const bool reverse = mode == SORT_NAME_REVERSE;
      std::sort(keys.begin(), keys.end(), [&](const Key& x, const Key& y) {
        if (x.group != y.group) return x.group < y.group;
        const Key& a = reverse ? y : x;
        const Key& b = reverse ? x : y;
        if (a.prefix[0] != b.prefix[0]) return a.prefix[0] < b.prefix[0];
        if (a.prefix[1] != b.prefix[1]) return a.prefix[1] < b.prefix[1];
        return CompareNames(*a.entry, a.split, *b.entry, b.split, a.from, lead) < 0;
      });
      break;
    }
  }

  std::vector<FileEntry> sorted;
  sorted.reserve(count);
  for (const Key& k : keys) sorted.push_back(std::move(*k.entry));
  std::move(sorted.begin(), sorted.end(), entries);
}

void Sort(std::vector<FileEntry>& entries, SortMode mode) { Sort(entries.data(), entries.size(), mode); }

SortMode NextSortMode(SortMode mode) {
  switch (mode) {
    case SORT_NAME_FORWARD:
      return SORT_NAME_REVERSE;
    case SORT_NAME_REVERSE:
      return SORT_TIME_FORWARD;
    case SORT_TIME_FORWARD:
      return SORT_TIME_REVERSE;
    default:
      return SORT_NAME_FORWARD;
  }
}

SortFace FaceOfSortMode(SortMode mode) {
  switch (mode) {
    case SORT_NAME_FORWARD:
      return {"NAMESORTFSW.bmp", 159};
    case SORT_NAME_REVERSE:
      return {"NAMESORTRSW.bmp", 174};
    case SORT_TIME_FORWARD:
      return {"TIMESORTFSW.bmp", 160};
    case SORT_TIME_REVERSE:
      return {"TIMESORTRSW.bmp", 175};
    default:
      return {};
  }
}

bool IsTvPath(std::string_view dir, std::string_view tvDir) {
  if (tvDir.empty()) return false;
  return std::string_view(mbcs::LowerAscii(dir)).starts_with(mbcs::LowerAscii(tvDir));
}
