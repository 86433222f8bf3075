#include "framework/Mbcs.h"

#include <gtest/gtest.h>

#include "browser/Sort.h"

namespace {

// The program's name comparison of two files of one kind, as a sign.
int CompareNames(const char* a, const char* b) {
  const int r = CompareEntries({a, KIND_VIDEO}, {b, KIND_VIDEO}, SORT_NAME_FORWARD);
  return (r > 0) - (r < 0);
}

std::size_t CountBackslashes(std::string_view s) {
  std::size_t n = 0;
  for (std::size_t at = mbcs::FindFirst(s, '\\'); at != std::string_view::npos; at = mbcs::FindFirst(s, '\\', at + 1))
    ++n;
  return n;
}

}  // namespace

// "表" is 0x95 0x5C and "ソ" is 0x83 0x5C in code page 932: their trail bytes look like backslashes.
TEST(Mbcs, TrailBytesAreNeverSeparators) {
  const std::string path = "C:\\表示\\ソフト.avi";
  EXPECT_EQ(mbcs::FindLast(path, '\\'), 7u);
  EXPECT_EQ(mbcs::FindFirst(path, '\\', 3), 7u);
  EXPECT_EQ(CountBackslashes(path), 2u);
  EXPECT_EQ(mbcs::FindLast("表", '\\'), std::string::npos);
  // "ｮ" is single-byte katakana (0xAE); a lone lead byte at the end is one character.
  EXPECT_EQ(mbcs::CharLength("\x95", 0), 1u);
}

TEST(Mbcs, LowerAsciiLeavesDoubleByteCharactersAlone) {
  // 0x82 0x60 is the full-width Ａ: its trail byte 0x60 must not change, nor must the 0x5C of 表.
  EXPECT_EQ(mbcs::LowerAscii("ＡVI表Ｍ.MPG"), "Ａvi表Ｍ.mpg");
  EXPECT_EQ(mbcs::LowerAscii("\x83\x41"), "\x83\x41");  // ア: trail byte 'A' stays
}

TEST(Mbcs, CutBytesNeverSplitsACharacter) {
  const std::string s = "ab表示";
  EXPECT_EQ(mbcs::CutBytes(s, 4), "ab表");
  EXPECT_EQ(mbcs::CutBytes(s, 5), "ab表");
  EXPECT_EQ(mbcs::CutBytes(s, 3), "ab");
  EXPECT_EQ(mbcs::CutBytes(s, 100), s);
}

TEST(Mbcs, CompareTakesAPairAsOneCharacter) {
  EXPECT_EQ(CompareNames("abc", "abc"), 0);
  EXPECT_EQ(CompareNames("abc", "ABC"), 0);
  EXPECT_LT(CompareNames("abc", "abd"), 0);
  EXPECT_LT(CompareNames("ab", "abc"), 0);
  // The half-width ｱ (0xB1) is below any double-byte character (0x8xxx), though its byte is larger.
  EXPECT_LT(CompareNames("\xB1", "表"), 0);
  EXPECT_GT(CompareNames("表", "\\"), 0);
  // ソ (0x83 0x5C) against ア (0x83 0x41): the trail bytes decide, and 'A' is not lowered inside ア.
  EXPECT_GT(CompareNames("ソ", "\x83\x41"), 0);
  EXPECT_LT(CompareNames("\x83\x41", "\x83\x61"), 0);
}

// The system's table replaces the built-in one for every walk, the copies taken after it included.
TEST(Mbcs, AnotherTableChangesEveryWalk) {
  const std::string s = "\x95\\\x81";  // under code page 932: 表 and a lone lead byte
  EXPECT_EQ(mbcs::FindLast(s, '\\'), std::string::npos);
  mbcs::SetLeadBytes(mbcs::LeadBytes::Where([](unsigned char) { return false; }));  // a single-byte page
  EXPECT_EQ(mbcs::FindLast(s, '\\'), 1u);
  EXPECT_EQ(mbcs::LeadBytes::Current().FindLast(s, '\\'), 1u);
  EXPECT_FALSE(mbcs::LeadBytes::Current().IsLead(0x95));
  mbcs::SetLeadBytes(mbcs::LeadBytes());
  EXPECT_TRUE(mbcs::LeadBytes::Current().IsLead(0x95));
  EXPECT_EQ(mbcs::LeadBytes::Current().CharLength(s, 0), 2u);
  EXPECT_EQ(mbcs::LeadBytes::Current().CharLength(s, 2), 1u);
}
