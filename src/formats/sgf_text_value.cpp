#include "formats/sgf_text_value.h"

namespace {

bool IsLineBreak(unsigned char c) { return c == '\n' || c == '\r'; }

// Length of the line break at bytes[i]: CRLF and LFCR are one break of two bytes.
std::size_t LineBreakLength(const unsigned char* bytes, std::size_t size, std::size_t i) {
  if (i + 1 < size && IsLineBreak(bytes[i + 1]) && bytes[i + 1] != bytes[i]) return 2;
  return 1;
}

bool IsOtherSpace(unsigned char c) { return c == '\t' || c == '\v' || c == '\f'; }

}  // namespace

std::size_t SgfValueEnd(const unsigned char* bytes, std::size_t size, std::size_t begin,
                        const LeadBytes& leads) {
  std::size_t i = begin;
  while (i < size) {
    const unsigned char c = bytes[i];
    if (c == ']') return i;
    if (c == '\\') {
      ++i;
      if (i >= size) break;
      i += leads.Leads(bytes[i]) ? 2 : 1;
      continue;
    }
    i += leads.Leads(c) ? 2 : 1;
  }
  return size;
}

std::string SgfTextOf(const unsigned char* bytes, std::size_t size, const LeadBytes& leads,
                      bool simpleText) {
  std::string text;
  text.reserve(size);
  const char lineBreak = simpleText ? ' ' : '\n';
  std::size_t i = 0;
  while (i < size) {
    unsigned char c = bytes[i];
    bool escaped = false;
    if (c == '\\' && i + 1 < size) {
      ++i;
      c = bytes[i];
      escaped = true;
      // A soft line break: the break goes, and nothing comes in its place.
      if (IsLineBreak(c)) {
        i += LineBreakLength(bytes, size, i);
        continue;
      }
    }
    if (leads.Leads(c) && i + 1 < size) {
      text.append(reinterpret_cast<const char*>(bytes + i), 2);
      i += 2;
    } else if (!escaped && IsLineBreak(c)) {
      text += lineBreak;
      i += LineBreakLength(bytes, size, i);
    } else {
      text += IsOtherSpace(c) ? ' ' : static_cast<char>(c);
      ++i;
    }
  }
  return text;
}
