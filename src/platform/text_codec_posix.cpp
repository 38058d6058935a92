#include <iconv.h>

#include <cerrno>
#include <string>

#include "platform/text_codec.h"

namespace platform {

namespace {

// iconv's name for a Windows code page; nullptr for one it is not asked to read.
const char* IconvNameOf(int codePage) {
  switch (codePage) {
    case 65001: return "UTF-8";
    case 932: return "CP932";
    case 936: return "CP936";
    case 949: return "CP949";
    case 950: return "CP950";
    case 54936: return "GB18030";
    case 20932: return "EUC-JP";
    case 20127: return "ASCII";
    case 20866: return "KOI8-R";
    case 21866: return "KOI8-U";
    case 28591: return "ISO-8859-1";
    case 28592: return "ISO-8859-2";
    case 28593: return "ISO-8859-3";
    case 28594: return "ISO-8859-4";
    case 28595: return "ISO-8859-5";
    case 28596: return "ISO-8859-6";
    case 28597: return "ISO-8859-7";
    case 28598: return "ISO-8859-8";
    case 28599: return "ISO-8859-9";
    case 28600: return "ISO-8859-10";
    case 28601: return "ISO-8859-11";
    case 28603: return "ISO-8859-13";
    case 28604: return "ISO-8859-14";
    case 28605: return "ISO-8859-15";
    case 28606: return "ISO-8859-16";
    case 1250: return "CP1250";
    case 1251: return "CP1251";
    case 1252: return "CP1252";
    case 1253: return "CP1253";
    case 1254: return "CP1254";
    case 1255: return "CP1255";
    case 1256: return "CP1256";
    case 1257: return "CP1257";
    case 1258: return "CP1258";
    default: return nullptr;
  }
}

// One converter, closed on every way out.
class Converter {
 public:
  explicit Converter(const char* from) : handle_(iconv_open("UTF-8", from)) {}
  ~Converter() {
    if (Open()) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool Open() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t Get() const { return handle_; }

 private:
  iconv_t handle_;
};

}  // namespace

bool CodePageExists(int codePage) {
  const char* name = IconvNameOf(codePage);
  return name != nullptr && Converter(name).Open();
}

bool Utf8OfCodePage(int codePage, const char* bytes, std::size_t size, bool strict,
                    std::string* utf8) {
  utf8->clear();
  const char* name = IconvNameOf(codePage);
  if (name == nullptr) return false;
  Converter converter(name);
  if (!converter.Open()) return false;
  char* in = const_cast<char*>(bytes);
  std::size_t inLeft = size;
  char buffer[1024];
  while (inLeft > 0) {
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t done = iconv(converter.Get(), &in, &inLeft, &out, &outLeft);
    utf8->append(buffer, static_cast<std::size_t>(out - buffer));
    if (done != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    // A byte that begins no character, or a character cut off at the end.
    if (strict) {
      utf8->clear();
      return false;
    }
    utf8->append("\xEF\xBF\xBD");
    ++in;
    --inLeft;
  }
  return true;
}

}  // namespace platform
