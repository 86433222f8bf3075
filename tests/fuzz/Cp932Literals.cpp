// Copies a UTF-8 source file with every non-ASCII character of its narrow string and character literals
// written as octal escapes of its code page 932 bytes, so that clang, which cannot convert literals to
// another execution character set, compiles the same bytes as the program's -fexec-charset=CP932//TRANSLIT
// build. The conversion is glibc's iconv with the same target name that the program's compiler uses.
// Comments and everything outside literals are copied unchanged (lines keep their numbers); a non-ASCII
// character in a raw or prefixed literal is refused, as its bytes would not follow the narrow rule.
// The output is written only when it differs, so that an unchanged file does not rebuild its users.
//
// Usage: cp932_literals SOURCE_ROOT OUTPUT_ROOT RELATIVE_PATH...

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

bool ReadFile(const std::filesystem::path& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool ToCp932(iconv_t cd, const std::string& utf8, std::string& out) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string buffer(utf8.size() * 4 + 8, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* o = buffer.data();
  std::size_t outLeft = buffer.size();
  if (iconv(cd, &in, &inLeft, &o, &outLeft) == static_cast<std::size_t>(-1)) return false;
  out.assign(buffer.data(), static_cast<std::size_t>(o - buffer.data()));
  return true;
}

class Converter {
 public:
  Converter(iconv_t cd, const std::string& src, const std::string& name) : m_cd(cd), m_s(src), m_name(name) {}

  bool Run(std::string& out) {
    while (m_i < m_s.size()) {
      const char c = m_s[m_i];
      if (c == '/' && Peek(1) == '/') {
        CopyUntil("\n");
      } else if (c == '/' && Peek(1) == '*') {
        CopyUntil("*/");
      } else if (std::isdigit(static_cast<unsigned char>(c))) {
        CopyNumber();
      } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
        if (!Identifier()) return false;
      } else if (c == '"' || c == '\'') {
        if (!Literal(c)) return false;
      } else {
        m_out += c;
        ++m_i;
      }
    }
    out = std::move(m_out);
    return true;
  }

 private:
  char Peek(std::size_t ahead) const { return m_i + ahead < m_s.size() ? m_s[m_i + ahead] : '\0'; }

  void CopyUntil(const char* end) {
    std::size_t stop = m_s.find(end, m_i + 2);
    stop = stop == std::string::npos ? m_s.size() : stop + std::char_traits<char>::length(end);
    m_out.append(m_s, m_i, stop - m_i);
    m_i = stop;
  }

  // A preprocessing number, digit separators included.
  void CopyNumber() {
    while (m_i < m_s.size()) {
      const char c = m_s[m_i];
      const char prev = m_out.empty() ? '\0' : m_out.back();
      const bool sign = (c == '+' || c == '-') && (prev == 'e' || prev == 'E' || prev == 'p' || prev == 'P');
      if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '.' && c != '\'' && !sign) break;
      m_out += c;
      ++m_i;
    }
  }

  // An identifier, and the literal it prefixes (u8, u, U, L, R and their combinations).
  bool Identifier() {
    const std::size_t start = m_i;
    while (m_i < m_s.size() && (std::isalnum(static_cast<unsigned char>(m_s[m_i])) || m_s[m_i] == '_')) ++m_i;
    const std::string id = m_s.substr(start, m_i - start);
    m_out += id;
    const char next = Peek(0);
    if (next != '"' && next != '\'') return true;
    if (id == "R" || id == "u8R" || id == "uR" || id == "UR" || id == "LR") return RawLiteral();
    if (id == "u8" || id == "u" || id == "U" || id == "L") return PrefixedLiteral(next);
    return true;
  }

  bool RawLiteral() {
    const std::size_t open = m_s.find('(', m_i);
    if (open == std::string::npos) return Fail("unterminated raw literal");
    const std::string end = ")" + m_s.substr(m_i + 1, open - m_i - 1) + "\"";
    const std::size_t close = m_s.find(end, open);
    if (close == std::string::npos) return Fail("unterminated raw literal");
    const std::size_t stop = close + end.size();
    if (!Ascii(m_i, stop)) return Fail("non-ASCII character in a raw literal");
    m_out.append(m_s, m_i, stop - m_i);
    m_i = stop;
    return true;
  }

  bool PrefixedLiteral(char quote) {
    const std::size_t stop = LiteralEnd(quote);
    if (!Ascii(m_i, stop)) return Fail("non-ASCII character in a prefixed literal");
    m_out.append(m_s, m_i, stop - m_i);
    m_i = stop;
    return true;
  }

  bool Literal(char quote) {
    const std::size_t stop = LiteralEnd(quote);
    while (m_i < stop) {
      if (static_cast<unsigned char>(m_s[m_i]) < 0x80) {
        m_out += m_s[m_i++];
        continue;
      }
      std::size_t run = m_i;
      while (run < stop && static_cast<unsigned char>(m_s[run]) >= 0x80) ++run;
      std::string bytes;
      if (!ToCp932(m_cd, m_s.substr(m_i, run - m_i), bytes)) return Fail("a literal does not convert to CP932");
      for (unsigned char b : bytes) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\%03o", b);
        m_out += escape;
      }
      m_i = run;
    }
    return true;
  }

  // Just past the closing quote of the literal that opens at m_i (its escapes skipped).
  std::size_t LiteralEnd(char quote) const {
    std::size_t j = m_i + 1;
    while (j < m_s.size() && m_s[j] != quote && m_s[j] != '\n') j += m_s[j] == '\\' ? 2 : 1;
    return std::min(j + 1, m_s.size());
  }

  bool Ascii(std::size_t from, std::size_t to) const {
    for (std::size_t j = from; j < to; ++j)
      if (static_cast<unsigned char>(m_s[j]) >= 0x80) return false;
    return true;
  }

  bool Fail(const char* why) const {
    const std::size_t line = static_cast<std::size_t>(std::count(m_s.begin(), m_s.begin() + m_i, '\n')) + 1;
    std::fprintf(stderr, "%s:%zu: %s\n", m_name.c_str(), line, why);
    return false;
  }

  iconv_t m_cd;
  const std::string& m_s;
  const std::string& m_name;
  std::size_t m_i = 0;
  std::string m_out;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s SOURCE_ROOT OUTPUT_ROOT RELATIVE_PATH...\n", argv[0]);
    return 2;
  }
  iconv_t cd = iconv_open("CP932//TRANSLIT", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    std::perror("iconv_open CP932");
    return 1;
  }
  const std::filesystem::path sourceRoot = argv[1], outputRoot = argv[2];
  int status = 0;
  for (int a = 3; a < argc; ++a) {
    const std::filesystem::path source = sourceRoot / argv[a], output = outputRoot / argv[a];
    std::string text, converted, existing;
    if (!ReadFile(source, text)) {
      std::fprintf(stderr, "%s: cannot read\n", source.c_str());
      status = 1;
      continue;
    }
    if (!Converter(cd, text, source.string()).Run(converted)) {
      status = 1;
      continue;
    }
    if (ReadFile(output, existing) && existing == converted) continue;
    std::filesystem::create_directories(output.parent_path());
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out << converted;
    if (!out) {
      std::fprintf(stderr, "%s: cannot write\n", output.c_str());
      status = 1;
    }
  }
  iconv_close(cd);
  return status;
}
