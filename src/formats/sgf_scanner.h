#pragma once
#include <cstddef>
#include <cstdint>

#include "formats/sgf_text_value.h"
#include "formats/text_charset.h"

// One step through the structure of an SGF collection.
enum class SgfToken { kTreeOpen, kTreeClose, kNode, kValue, kEnd };

// The property identity of up to four upper-case letters, as SgfScanner packs them.
constexpr std::uint32_t SgfIdentity(const char* letters) {
  std::uint32_t identity = 0;
  for (; *letters != '\0'; ++letters) identity = (identity << 8) | static_cast<unsigned char>(*letters);
  return identity;
}

// Walks an SGF text's game trees, nodes and property values as SGF reads them, value by
// value in the charset's characters (a "\" or "]" inside a two-byte character ends
// nothing). A property's identity is the run of upper-case letters right before its first
// "["; white space alone may stand between its values. Whatever else stands outside
// values is passed over, and a value after it belongs to no property. Never reads outside
// the text.
class SgfScanner {
 public:
  SgfScanner(const unsigned char* bytes, std::size_t size, const LeadBytes& leads)
      : t_(bytes), n_(size), leads_(leads) {}

  // The next step. Its offset is At(); for kValue, the value's bytes are
  // [ValueBegin(), ValueEnd()) and Identity() names its property.
  SgfToken Next() {
    while (p_ < n_) {
      const unsigned char c = t_[p_];
      at_ = p_;
      switch (c) {
        case '(':
          ++p_;
          ResetIdentity();
          return SgfToken::kTreeOpen;
        case ')':
          ++p_;
          ResetIdentity();
          return SgfToken::kTreeClose;
        case ';':
          ++p_;
          ResetIdentity();
          return SgfToken::kNode;
        case '[':
          ReadValue();
          return SgfToken::kValue;
        default:
          TakeOther(c);
          ++p_;
      }
    }
    at_ = n_;
    return SgfToken::kEnd;
  }

  std::size_t At() const { return at_; }
  std::size_t ValueBegin() const { return valueBegin_; }
  std::size_t ValueEnd() const { return valueEnd_; }
  std::uint32_t Identity() const { return identity_; }

 private:
  // Upper-case letters in a row make an identity (beyond the fourth, one that names no
  // property this program reads); white space keeps the property for a further value;
  // anything else leaves none.
  void TakeOther(unsigned char c) {
    if (c >= 'A' && c <= 'Z') {
      if (!inLetters_) {
        identity_ = 0;
        letters_ = 0;
      }
      identity_ = letters_ < 4 ? (identity_ << 8) | c : kTooLong;
      ++letters_;
      inLetters_ = true;
      afterValue_ = false;
      return;
    }
    inLetters_ = false;
    const bool blank = c == ' ' || (c >= '\t' && c <= '\r');
    if (!(blank && afterValue_)) {
      afterValue_ = false;
      if (!blank) identity_ = 0;
    }
  }
  void ResetIdentity() {
    identity_ = 0;
    letters_ = 0;
    inLetters_ = false;
    afterValue_ = false;
  }
  void ReadValue() {
    valueBegin_ = p_ + 1;
    // Most values are two plain bytes: a point.
    if (valueBegin_ + 2 < n_ && t_[valueBegin_ + 2] == ']' && IsPlain(t_[valueBegin_]) &&
        IsPlain(t_[valueBegin_ + 1])) {
      valueEnd_ = valueBegin_ + 2;
    } else {
      valueEnd_ = SgfValueEnd(t_, n_, valueBegin_, leads_);
    }
    p_ = valueEnd_ < n_ ? valueEnd_ + 1 : n_;
    // A value with letters before it, or right after a value of the same property.
    if (!inLetters_ && !afterValue_) identity_ = 0;
    inLetters_ = false;
    afterValue_ = true;
  }
  bool IsPlain(unsigned char c) const { return c != '\\' && c != ']' && !leads_.Leads(c); }

  static constexpr std::uint32_t kTooLong = 0xFFFFFFFF;
  const unsigned char* t_;
  std::size_t n_;
  const LeadBytes& leads_;
  std::size_t p_ = 0;
  std::size_t at_ = 0;
  std::size_t valueBegin_ = 0;
  std::size_t valueEnd_ = 0;
  std::uint32_t identity_ = 0;
  int letters_ = 0;
  bool inLetters_ = false;  // the last byte was an upper-case letter
  bool afterValue_ = false;  // only white space since the last value
};
