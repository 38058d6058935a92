#include <windows.h>

#include "platform/text_codec.h"
#include "platform/utf16.h"

namespace platform {

bool CodePageExists(int codePage) { return IsValidCodePage(static_cast<UINT>(codePage)) != 0; }

bool Utf8OfCodePage(int codePage, const char* bytes, std::size_t size, bool strict,
                    std::string* utf8) {
  utf8->clear();
  if (size == 0) return true;
  if (size > 0x7FFFFFFF) return false;
  const UINT page = static_cast<UINT>(codePage);
  const int length = static_cast<int>(size);
  DWORD flags = strict ? MB_ERR_INVALID_CHARS : 0;
  int needed = MultiByteToWideChar(page, flags, bytes, length, nullptr, 0);
  // A few code pages take no flags at all; they are then read as they come.
  if (needed == 0 && flags != 0 && GetLastError() == ERROR_INVALID_FLAGS) {
    flags = 0;
    needed = MultiByteToWideChar(page, flags, bytes, length, nullptr, 0);
  }
  if (needed <= 0) return false;
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  if (MultiByteToWideChar(page, flags, bytes, length, &wide[0], needed) != needed) return false;
  // The text may hold a lone surrogate only if the code page made one; such text has no
  // exact UTF-8 form, and is none of the code page's characters either.
  *utf8 = Utf8Of(wide.c_str());
  return !utf8->empty() || wide.empty();
}

}  // namespace platform
