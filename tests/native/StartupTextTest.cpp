#include "app/StartupText.h"

#include <gtest/gtest.h>

TEST(CommandLine, ExtractsTheOnePath) {
  struct Case {
    const char* text;
    const char* path;
  } const cases[] = {
      {"", ""},
      {"\"C:\\My Videos\\a.avi\"", "C:\\My Videos\\a.avi"},
      {"C:\\My Videos\\a.avi", "C:\\My"},
      {"\"C:\\a b.avi", "C:\\a b.avi"},        // unclosed quote: the rest stays
      {"\"C:\\a.avi\" second", "C:\\a.avi"},   // only one path
      {"/switch C:\\a.avi", "/switch"},        // no switches are recognised
      {"\"\"", ""},
      {"C:\\表示\\b.avi", "C:\\表示\\b.avi"},
  };
  for (const Case& c : cases) EXPECT_EQ(ExtractCommandLinePath(c.text), c.path) << c.text;
}

TEST(CommandLine, DropsAPathTooLongForTheSystem) {
  std::string longest(kMaxPath - 1, 'x');
  EXPECT_EQ(ExtractCommandLinePath(longest), longest);
  EXPECT_EQ(ExtractCommandLinePath(std::string(kMaxPath, 'x')), "");
  EXPECT_EQ(ExtractCommandLinePath("\"" + std::string(5000, 'y')), "");
}

TEST(Title, IsTheFileNameWithoutFolderAndLastExtension) {
  struct Case {
    const char* path;
    const char* title;
  } const cases[] = {
      {"C:\\Movies\\movie.mpg", "movie"},
      {"C:\\Movies\\a.b.avi", "a.b"},
      {"movie.mpg", "movie"},
      {"C:\\noext", "noext"},
      {"C:\\a.b\\file", "file"},  // a dot in a folder name is not an extension
      {"C:\\表\\ソ.avi", "ソ"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(TitleFromPath(c.path), c.title) << c.path;
}
