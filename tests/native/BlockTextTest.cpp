#include "app/BlockText.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(BlockText, IsTheTextBeforeTheFirstNulWithinTheBytesLookedAt) {
  struct Case {
    std::string view;
    std::size_t maxBytes;
    std::string text;
    bool terminated;
  } const cases[] = {
      {"C:\\a.avi\0junk"s, 260, "C:\\a.avi", true},
      {"C:\\表示.avi\0"s, 260, "C:\\表示.avi", true},  // a 0x5C trail byte is text like any other
      {"\0C:\\a.avi"s, 260, "", true},                 // an emptied block
      {std::string(260, 'q'), 260, std::string(260, 'q'), false},  // written by no instance of this program
      {std::string(300, 'q'), 260, std::string(260, 'q'), false},
      {"abc", 260, "abc", false},                        // the view ends before a NUL
      {"abc\0"s, 3, "abc", false},                       // the NUL lies past the bytes allowed
      {"", 260, "", false},
  };
  for (const Case& c : cases) {
    const BlockText block = ReadBlockText(c.view, c.maxBytes);
    EXPECT_EQ(block.terminated, c.terminated) << c.view;
    EXPECT_EQ(block.text, c.text) << c.view;
  }
}

TEST(BlockText, AHandOffPathComesOnlyFromATerminatedBlock) {
  EXPECT_EQ(HandOffPath({"C:\\a.avi", true}), "C:\\a.avi");
  EXPECT_EQ(HandOffPath({"C:\\a.avi", false}), "");
  EXPECT_EQ(HandOffPath(ReadBlockText(std::string(260, 'q'), 260)), "");
  EXPECT_EQ(HandOffPath(ReadBlockText(std::string(259, 'p') + '\0', 260)), std::string(259, 'p'));
}
