#pragma once
// What the dialogs' data exchange reads from an edit and tells the user when it cannot: the framework's
// integer rule and its messages. Win32-free.

#include <optional>
#include <string>
#include <string_view>

namespace fw {

inline constexpr char kNotAnIntegerMessage[] = "整数を入力してください。";
inline constexpr char kIntegerRangePattern[] = "%1 から %2 までの整数を入力してください。";

// The text of an integer edit as a number: blanks and tabs around it, an optional sign and decimal
// digits, nothing else; otherwise none. As the framework has it, a zero counts only when the text starts
// with the digit ("-0" and "+0" are no number). A number beyond the 32-bit range stands at its nearest
// end, so that the range check that follows names the bounds.
std::optional<int> ParseDialogInt(std::string_view text);

// The pattern with every "%1" and "%2" replaced by the arguments.
std::string FormatMessageArgs(std::string_view pattern, std::string_view first, std::string_view second);

// "1 から 60 までの整数を入力してください。" for the bounds 1 and 60.
std::string IntegerRangeMessage(int low, int high);

}  // namespace fw
