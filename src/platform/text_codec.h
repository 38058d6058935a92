#pragma once
#include <cstddef>
#include <string>

// Text of a Windows code page in UTF-8, for the record's game information and comments.
// Win32 converts with MultiByteToWideChar; the native build with iconv.
namespace platform {

// Whether the system can read text of codePage.
bool CodePageExists(int codePage);

// bytes of codePage in UTF-8 into *utf8. Strict: false, and *utf8 empty, when a byte
// sequence is no character of the code page. Not strict: such sequences become U+FFFD
// (or the system's default character) and the call fails only for a code page the system
// does not have.
bool Utf8OfCodePage(int codePage, const char* bytes, std::size_t size, bool strict,
                    std::string* utf8);

}  // namespace platform
