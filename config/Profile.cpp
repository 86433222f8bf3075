#include "config/Profile.h"

#include <cstdio>

int ParseProfileInt(const std::string& text, int fallback) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  std::size_t digits = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
    value = value * 10 + (text[i] - '0');
    if (value > 2147483648LL) return fallback;
  }
  if (digits == 0) return fallback;
  if (negative) value = -value;
  if (value > 2147483647LL || value < -2147483648LL) return fallback;
  return static_cast<int>(value);
}

int ReadProfileInt(Profile& profile, const char* section, const char* key, int fallback) {
  return ParseProfileInt(profile.ReadString(section, key, ""), fallback);
}

bool WriteProfileInt(Profile& profile, const char* section, const char* key, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  return profile.WriteString(section, key, text);
}
