#include "framework/DialogText.h"

#include <climits>
#include <cstdint>

#include "framework/Mbcs.h"

namespace fw {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<int> ParseDialogInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  const char first = i < text.size() ? text[i] : '\0';
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::int64_t value = 0;
  bool digits = false;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    digits = true;
    if (value <= std::int64_t{INT_MAX} + 1) value = value * 10 + (text[i] - '0');
  }
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (!digits || i != text.size()) return std::nullopt;
  // The framework's own test: a zero is a number only when the text starts with the digit.
  if (value == 0 && first != '0') return std::nullopt;
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

std::string FormatMessageArgs(std::string_view pattern, std::string_view first, std::string_view second) {
  std::string out;
  for (std::size_t i = 0; i < pattern.size();) {
    const std::size_t n = mbcs::CharLength(pattern, i);
    if (n == 1 && pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
      out += pattern[i + 1] == '1' ? first : second;
      i += 2;
      continue;
    }
    out.append(pattern.substr(i, n));
    i += n;
  }
  return out;
}

std::string IntegerRangeMessage(int low, int high) {
  return FormatMessageArgs(kIntegerRangePattern, std::to_string(low), std::to_string(high));
}

}  // namespace fw
