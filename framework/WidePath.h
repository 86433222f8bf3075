#pragma once
// Paths in the wide (UTF-16) form the system's wide file functions take, and the rules between a wide name
// and its form in the program's code page. A wide backslash is always a separator (there are no trail
// bytes), but a character beyond the basic plane takes two units, a surrogate pair, that stay together.
// Win32-free: natively wchar_t is wider than a UTF-16 unit, and the tests hold UTF-16 units in it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// A wide name in the program's code page. exact tells whether it converts back to the same wide name; an
// inexact form has a substitute where the code page has no character (a '?' or a look-alike letter).
struct CodePageName {
  std::string text;
  bool exact = true;
};

namespace wide {

inline bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
inline bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// folder + '\' + name, without doubling the backslash of a drive root.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);
// The part after the last backslash (all of path when it has none).
std::wstring_view FileName(std::wstring_view path);
// The folder that holds path: "C:\" for "C:\x", "C:\a" for "C:\a\b"; empty for a drive root or a bare name.
std::wstring ParentFolder(std::wstring_view path);
bool IsDriveRoot(std::wstring_view path);
// No trailing backslash except at a drive root; a bare drive ("C:") becomes its root.
std::wstring NormaliseFolder(std::wstring folder);
// ASCII letters to lower case, everything else as it is.
std::wstring LowerAscii(std::wstring_view s);
// At most n units, without splitting a surrogate pair.
std::wstring_view CutUnits(std::wstring_view s, std::size_t n);
// Unit by unit: <0, 0 or >0. The order of names whose code-page forms compare equal.
int Compare(std::wstring_view a, std::wstring_view b);

}  // namespace wide

// What a code page can keep of a path that must be stored or handed on in it (TN.INI, the shared block,
// QuickTime's file name): the long form when it is exact, else the short (8.3) form when the volume has one
// and it is exact; none when neither holds the path whole.
std::optional<std::string> CodePagePathOf(const CodePageName& longForm, const CodePageName& shortForm);
