#include "demos/gbk.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace {
class Converter {
 public:
  Converter() : cd_(iconv_open("GBK", "UTF-8")) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("GBK conversion is not available");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

// Length of the UTF-8 sequence that starts with lead, 1 for a stray byte.
size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}
}  // namespace

ByteString ToGbk(std::string_view utf8) {
  Converter conv;
  ByteString out;
  char* in = const_cast<char*>(utf8.data());
  size_t inLeft = utf8.size();
  char chunk[256];
  while (inLeft > 0) {
    char* dst = chunk;
    size_t dstLeft = sizeof chunk;
    const size_t r = iconv(conv.get(), &in, &inLeft, &dst, &dstLeft);
    out.append(chunk, static_cast<size_t>(dst - chunk));
    if (r != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL: skip the character that does not convert.
    out.push_back('?');
    const size_t length = std::min(SequenceLength(static_cast<unsigned char>(*in)), inLeft);
    size_t skip = 1;
    while (skip < length && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80) ++skip;
    in += skip;
    inLeft -= skip;
  }
  return out;
}
