#include "framework/Encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

// One converter per direction, opened on first use and closed at exit. Not thread-safe: text is
// only converted on the UI thread.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      std::fprintf(stderr, "error: iconv cannot convert %s to %s\n", from, to);
      std::exit(1);
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts in; whenever iconv stops at a sequence it cannot take, skipLength(rest) says how many
  // bytes to drop and replacement is written in their place.
  template <typename SkipLength>
  std::string Run(std::string_view in, std::string_view replacement, SkipLength skipLength) {
    std::string out;
    out.resize(in.size() * 3 + 16);
    std::size_t used = 0;
    char* src = const_cast<char*>(in.data());  // iconv's signature is not const-correct
    std::size_t srcLeft = in.size();
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    while (srcLeft > 0) {
      char* dst = out.data() + used;
      std::size_t dstLeft = out.size() - used;
      const std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      used = out.size() - dstLeft;
      if (rc != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) {
        out.resize(out.size() * 2);
        continue;
      }
      // EILSEQ (invalid or unmappable) or EINVAL (truncated at the end): replace and go on.
      const std::size_t skip = errno == EINVAL ? srcLeft : skipLength(std::string_view(src, srcLeft));
      out.resize(used);
      out += replacement;
      used = out.size();
      out.resize(used + srcLeft * 3 + 16);
      src += skip;
      srcLeft -= skip;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(used);
    return out;
  }

 private:
  iconv_t cd_;
};

// Length of the UTF-8 character that starts s, or 1 when s does not start with a well-formed one.
std::size_t Utf8Length(std::string_view s) {
  const auto lead = static_cast<unsigned char>(s[0]);
  const std::size_t n = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 1;
  if (n > s.size()) return 1;
  for (std::size_t i = 1; i < n; ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 1;
  }
  return n;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
  static Converter converter("UTF-8", "CP932");
  // A bad lead byte is dropped on its own so that the byte after it (often ASCII) survives.
  return converter.Run(cp932, "\xEF\xBF\xBD", [](std::string_view) { return std::size_t{1}; });
}

std::string Utf8ToCp932(std::string_view utf8) {
  static Converter converter("CP932", "UTF-8");
  return converter.Run(utf8, "?", Utf8Length);
}
