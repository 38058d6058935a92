#include "formats/text_charset.h"

#include <cstdint>
#include <cstring>

namespace {

struct CharsetName {
  const char* name;  // lower case, without "-", "_", " " and "."
  int codePage;
};

constexpr CharsetName kNamedCodePages[] = {
    {"utf8", 65001},        {"shiftjis", 932},     {"sjis", 932},         {"cp932", 932},
    {"windows31j", 932},    {"mskanji", 932},      {"csshiftjis", 932},   {"xsjis", 932},
    {"eucjp", 20932},       {"xeucjp", 20932},     {"gb2312", 936},       {"gbk", 936},
    {"cp936", 936},         {"euccn", 936},        {"xgbk", 936},         {"gb231280", 936},
    {"gb18030", 54936},     {"big5", 950},         {"cp950", 950},        {"big5hkscs", 950},
    {"euckr", 949},         {"ksc56011987", 949},  {"cp949", 949},        {"uhc", 949},
    {"iso88591", 28591},    {"latin1", 28591},     {"l1", 28591},         {"iso885915", 28605},
    {"usascii", 20127},     {"ascii", 20127},      {"koi8r", 20866},      {"koi8u", 21866},
};

// "iso8859N" is 28590 + N, "windows125N" and "cp125N" are 125N.
int NumberedCodePage(const std::string& key) {
  auto numberAfter = [&key](const char* prefix) {
    const std::size_t length = std::strlen(prefix);
    if (key.size() <= length || key.compare(0, length, prefix) != 0) return -1;
    int number = 0;
    for (std::size_t i = length; i < key.size(); ++i) {
      if (key[i] < '0' || key[i] > '9' || number > 1000) return -1;
      number = number * 10 + (key[i] - '0');
    }
    return number;
  };
  const int iso = numberAfter("iso8859");
  if (iso >= 1 && iso <= 16 && iso != 12) return 28590 + iso;
  for (const char* prefix : {"windows", "cp"}) {
    const int windows = numberAfter(prefix);
    if (windows >= 1250 && windows <= 1258) return windows;
  }
  return 0;
}

// Lead bytes of the two-byte code pages, and the bytes that may follow one.
bool IsLead(int codePage, unsigned char b) {
  switch (codePage) {
    case 932: return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    case 936: case 949: case 950: case 54936: return b >= 0x81 && b <= 0xFE;
    default: return false;
  }
}

bool IsTrail(int codePage, unsigned char b) {
  switch (codePage) {
    case 932: return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
    case 949: return (b >= 0x41 && b <= 0x5A) || (b >= 0x61 && b <= 0x7A) || b >= 0x81;
    case 950: return (b >= 0x40 && b <= 0x7E) || (b >= 0xA1 && b <= 0xFE);
    // GB18030's four-byte characters go on with a digit after the lead byte.
    case 54936: return (b >= 0x30 && b <= 0x39) || (b >= 0x40 && b <= 0xFE && b != 0x7F);
    default: return b >= 0x40 && b <= 0xFE && b != 0x7F;
  }
}

void AppendUtf8(std::string& out, std::uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

constexpr std::uint32_t kReplacement = 0xFFFD;

}  // namespace

int CodePageOfCharsetName(const std::string& name) {
  std::string key;
  for (const char c : name) {
    if (c == '-' || c == '_' || c == ' ' || c == '.') continue;
    key += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  for (const CharsetName& named : kNamedCodePages) {
    if (key == named.name) return named.codePage;
  }
  return NumberedCodePage(key);
}

LeadBytes::LeadBytes(int codePage) {
  for (int b = 0; b < 256; ++b) {
    leads_[b] = IsLead(codePage, static_cast<unsigned char>(b)) ? 1 : 0;
    any_ = any_ || leads_[b] != 0;
  }
}

int CodePageOfByteOrderMark(const unsigned char* bytes, std::size_t size, std::size_t* length) {
  *length = 0;
  if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
    *length = 3;
    return kUtf8CodePage;
  }
  if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    *length = 2;
    return kUtf16LittleCodePage;
  }
  if (size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
    *length = 2;
    return kUtf16BigCodePage;
  }
  return 0;
}

bool IsAscii(const unsigned char* bytes, std::size_t size) {
  std::uint64_t any = 0;
  std::size_t i = 0;
  for (; size - i >= 8; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes + i, 8);
    any |= word;
  }
  for (; i < size; ++i) any |= bytes[i];
  return (any & 0x8080808080808080ULL) == 0;
}

bool IsUtf8(const unsigned char* bytes, std::size_t size) {
  std::size_t i = 0;
  while (i < size) {
    // Records are mostly ASCII: 32 bytes at a time while no high bit is set.
    if (size - i >= 32 && IsAscii(bytes + i, 32)) {
      i += 32;
      continue;
    }
    const unsigned char b = bytes[i];
    if (b < 0x80) {
      ++i;
      continue;
    }
    int length = 0;
    std::uint32_t lowest = 0;
    if (b >= 0xC2 && b <= 0xDF) {
      length = 2;
      lowest = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
      length = 3;
      lowest = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
      length = 4;
      lowest = 0x10000;
    } else {
      return false;
    }
    if (size - i < static_cast<std::size_t>(length)) return false;
    std::uint32_t c = b & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
      if ((bytes[i + k] & 0xC0) != 0x80) return false;
      c = (c << 6) | (bytes[i + k] & 0x3F);
    }
    if (c < lowest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    i += static_cast<std::size_t>(length);
  }
  return true;
}

bool FitsLeadBytes(const LeadBytes& leads, int codePage, const unsigned char* bytes,
                   std::size_t size) {
  if (!leads.Any()) return true;
  for (std::size_t i = 0; i < size; ++i) {
    if (!leads.Leads(bytes[i])) continue;
    if (i + 1 >= size || !IsTrail(codePage, bytes[i + 1])) return false;
    ++i;
  }
  return true;
}

std::string Utf8OfUtf16(const unsigned char* bytes, std::size_t size, int codePage) {
  const bool big = codePage == kUtf16BigCodePage;
  auto unit = [bytes, big](std::size_t i) -> std::uint32_t {
    return big ? (bytes[i] << 8) | bytes[i + 1] : bytes[i] | (bytes[i + 1] << 8);
  };
  std::string out;
  out.reserve(size);
  std::size_t i = 0;
  for (; i + 1 < size; i += 2) {
    std::uint32_t c = unit(i);
    if (c >= 0xD800 && c <= 0xDBFF && i + 3 < size && unit(i + 2) >= 0xDC00 &&
        unit(i + 2) <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      i += 2;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kReplacement;
    }
    AppendUtf8(out, c);
  }
  if (i < size) AppendUtf8(out, kReplacement);
  return out;
}

int ChooseCodePage(const unsigned char* bytes, std::size_t size, int named,
                   bool (*codePageExists)(int)) {
  std::size_t markLength = 0;
  const int marked = CodePageOfByteOrderMark(bytes, size, &markLength);
  if (marked != 0) return marked;
  // GBK is GB18030's two-byte part, for a system without GB18030 (Wine).
  const int usable = named == kGb18030CodePage && !codePageExists(named) ? kGbkCodePage : named;
  if (usable != 0 && codePageExists(usable)) {
    const bool fits = named == kUtf8CodePage ? IsUtf8(bytes, size)
                                             : FitsLeadBytes(LeadBytes(named), named, bytes, size);
    if (fits) return usable;
  }
  return IsUtf8(bytes, size) ? kUtf8CodePage : kShiftJisCodePage;
}
