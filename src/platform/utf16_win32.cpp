#include <windows.h>

#include "platform/utf16.h"

namespace platform {

std::string Utf8Of(const wchar_t* text) {
  // With WC_ERR_INVALID_CHARS a lone surrogate fails the call instead of becoming U+FFFD.
  const int needed = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, -1, nullptr, 0,
                                         nullptr, nullptr);
  if (needed <= 1) return std::string();
  std::string utf8(static_cast<std::size_t>(needed), '\0');
  if (WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, -1, &utf8[0], needed, nullptr,
                          nullptr) != needed) {
    return std::string();
  }
  utf8.pop_back();  // the terminator the call wrote
  return utf8;
}

bool Utf16Of(const char* text, std::wstring* wide) {
  wide->clear();
  if (text[0] == '\0') return true;
  const int needed = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);
  if (needed <= 0) return false;
  wide->resize(static_cast<std::size_t>(needed));
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, &(*wide)[0], needed) != needed) {
    wide->clear();
    return false;
  }
  wide->pop_back();
  return true;
}

}  // namespace platform
