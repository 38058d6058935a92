#pragma once
#include <cstddef>
#include <string>

// Which charset a record's text is in, and what a reader must know of it to find where a
// value ends: the bytes that begin a two-byte character, whose second byte may be "\" or
// "]". Windows code pages name the charsets.
constexpr int kUtf8CodePage = 65001;
constexpr int kShiftJisCodePage = 932;
constexpr int kUtf16LittleCodePage = 1200;
constexpr int kUtf16BigCodePage = 1201;
constexpr int kGbkCodePage = 936;
constexpr int kGb18030CodePage = 54936;

// The code page of a charset name as records give it (CA): "UTF-8", "Shift_JIS", "SJIS",
// "cp932", "EUC-KR", "GB18030", "ISO-8859-1" and the like, in any letter case; 0 for a
// name it does not know.
int CodePageOfCharsetName(const std::string& name);

// The bytes that begin a two-byte character in one code page. Code pages whose
// multi-byte characters are made of bytes 0x80 and above alone (UTF-8, EUC-JP, the
// single-byte ones) have none: no byte of theirs hides a "\" or a "]".
class LeadBytes {
 public:
  explicit LeadBytes(int codePage);
  bool Leads(unsigned char byte) const { return leads_[byte] != 0; }
  // Whether the code page has any lead byte at all.
  bool Any() const { return any_; }

 private:
  unsigned char leads_[256] = {};
  bool any_ = false;
};

// A byte order mark at the start of bytes: its code page (UTF-8, UTF-16 either way) and
// its length; 0 and 0 when there is none.
int CodePageOfByteOrderMark(const unsigned char* bytes, std::size_t size, std::size_t* length);

// Whether bytes are all below 0x80.
bool IsAscii(const unsigned char* bytes, std::size_t size);

// Whether bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(const unsigned char* bytes, std::size_t size);

// Whether every lead byte of bytes is followed by a byte that may end a character of the
// two-byte code page; true for a code page without lead bytes.
bool FitsLeadBytes(const LeadBytes& leads, int codePage, const unsigned char* bytes,
                   std::size_t size);

// UTF-16 text (little or big endian, as codePage says) in UTF-8; lone surrogates and an
// odd last byte become U+FFFD.
std::string Utf8OfUtf16(const unsigned char* bytes, std::size_t size, int codePage);

// The charset of a record whose text bytes are bytes: a byte order mark wins; otherwise
// the named code page when the system has it (codePageExists) and the bytes fit it;
// otherwise UTF-8 where the bytes are valid UTF-8, and code page 932 where they are not.
// named is 0 when the record names no charset.
int ChooseCodePage(const unsigned char* bytes, std::size_t size, int named,
                   bool (*codePageExists)(int));
