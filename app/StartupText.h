#pragma once
// Text rules of the start-up and the window title: which path the command line names, and the title
// shown for a file. Win32-free.

#include <string>
#include <string_view>

// The longest path the program handles, terminating NUL included (the Windows ANSI path limit).
constexpr std::size_t kMaxPath = 260;

// The one path of the command line (the argument text without the program name): a leading double quote
// is removed and the text cut before the next one (the rest stays when it never closes); otherwise the
// text is cut before its first space. A path that would not fit in kMaxPath is dropped (empty result):
// it cannot name a file here, and a cut one could name another.
std::string ExtractCommandLinePath(std::string_view commandLine);
// The arguments of a whole command line as the system gives it: the program name (quoted or up to the
// first blank) and the blanks after it skipped.
std::wstring_view CommandLineArguments(std::wstring_view commandLine);
// The same rule on the wide command line, which names files the code page cannot.
std::wstring ExtractCommandLinePath(std::wstring_view commandLine);

// The title for a file: its name without the folder and without its last extension.
std::string TitleFromPath(std::string_view path);
std::wstring TitleFromPath(std::wstring_view path);
