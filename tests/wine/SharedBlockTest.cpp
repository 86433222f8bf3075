// The named shared-memory block of the hand-off and the window-name publication.
#include "app/SharedBlock.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
constexpr char kName[] = "_T_TEST_BLOCK_";
}

TEST(SharedBlock, CreateGivesZeroBytesAndRefusesAnExistingName) {
  CSharedBlock a;
  a.SetName(kName, 260);
  auto* p = static_cast<unsigned char*>(a.CreateBlock());
  ASSERT_NE(p, nullptr);
  for (int i = 0; i < 260; ++i) ASSERT_EQ(p[i], 0) << i;

  CSharedBlock b;
  b.SetName(kName, 260);
  ::SetLastError(0);
  EXPECT_EQ(b.CreateBlock(), nullptr);  // ERROR_ALREADY_EXISTS: the new handle is dropped
  EXPECT_EQ(b.Address(), nullptr);
  void* q = b.CreateOrOpen();  // so CreateOrOpen opens the existing one
  ASSERT_NE(q, nullptr);
  std::strcpy(static_cast<char*>(q), "shared");
  EXPECT_STREQ(reinterpret_cast<char*>(p), "shared");

  EXPECT_EQ(a.CreateOrOpen(), p);  // already mapped: the same address, no new mapping
  EXPECT_EQ(a.CreateBlock(), nullptr);
  EXPECT_EQ(a.OpenBlock(), nullptr);
  EXPECT_TRUE(a.CloseBlock());
  EXPECT_FALSE(a.CloseBlock());  // nothing held any more
  EXPECT_TRUE(b.CloseBlock());
}

TEST(SharedBlock, SizeZeroAndMissingNamesGiveNull) {
  CSharedBlock a;
  a.SetName(kName, 0);
  EXPECT_EQ(a.CreateBlock(), nullptr);
  CSharedBlock b;
  EXPECT_EQ(b.OpenNamed("_T_NO_SUCH_BLOCK_"), nullptr);
  EXPECT_FALSE(b.CloseBlock());
  std::string longName(200, 'n');
  b.SetName(longName.c_str(), 10);
  EXPECT_EQ(std::strlen(b.Name()), 63u);
}

TEST(SharedBlock, AnUnterminatedBlockIsReadWithoutRunningPastIt) {
  CSharedBlock writer;
  writer.SetName(kName, 260);
  auto* p = static_cast<char*>(writer.CreateBlock());
  ASSERT_NE(p, nullptr);
  std::memset(p, 'x', 260);

  CSharedBlock reader;
  ASSERT_NE(reader.OpenNamed(kName), nullptr);
  bool terminated = true;
  std::string text = reader.ReadText(260, &terminated);
  EXPECT_FALSE(terminated);
  EXPECT_EQ(text.size(), 260u);

  std::memset(p, 0, 260);
  std::memcpy(p, "C:\\表\\a.avi", 11);
  EXPECT_EQ(reader.ReadText(260, &terminated), "C:\\表\\a.avi");
  EXPECT_TRUE(terminated);
  EXPECT_FALSE(reader.WriteText(std::string(260, 'y'), 260));  // no room for the NUL: nothing written
  EXPECT_EQ(reader.ReadText(260), "C:\\表\\a.avi");
}

TEST(SharedBlock, ASmallerBlockMadeElsewhereIsReadWithinItsView) {
  // Another program may have made the name with fewer bytes; the view is what bounds the read.
  HANDLE h = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 16, kName);
  ASSERT_NE(h, nullptr);
  void* v = ::MapViewOfFile(h, FILE_MAP_WRITE, 0, 0, 0);
  ASSERT_NE(v, nullptr);
  MEMORY_BASIC_INFORMATION info{};
  ::VirtualQuery(v, &info, sizeof info);
  std::memset(v, 'z', info.RegionSize);

  CSharedBlock reader;
  ASSERT_NE(reader.OpenNamed(kName), nullptr);
  bool terminated = true;
  std::string text = reader.ReadText(1u << 20, &terminated);
  EXPECT_FALSE(terminated);
  EXPECT_EQ(text.size(), info.RegionSize);
  reader.CloseBlock();
  ::UnmapViewOfFile(v);
  ::CloseHandle(h);
}
