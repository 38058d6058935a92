#include "formats/record_text_decode.h"

#include "formats/text_charset.h"
#include "platform/text_codec.h"

namespace {

bool IsAscii(const std::string& bytes) {
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

bool IsUtf8Text(const std::string& bytes) {
  return IsUtf8(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

}  // namespace

std::string Utf8OfRecordText(int codePage, const std::string& bytes) {
  // Most values are ASCII, the same in every code page a record names.
  if (IsAscii(bytes)) return bytes;
  if (codePage == kUtf8CodePage && IsUtf8Text(bytes)) return bytes;
  std::string utf8;
  if (codePage != kUtf8CodePage &&
      platform::Utf8OfCodePage(codePage, bytes.data(), bytes.size(), true, &utf8)) {
    return utf8;
  }
  if (IsUtf8Text(bytes)) return bytes;
  platform::Utf8OfCodePage(kShiftJisCodePage, bytes.data(), bytes.size(), false, &utf8);
  return utf8;
}
