#pragma once
#include <string>

// Names and texts cross the edge to Windows as UTF-16 and travel inside the program as
// UTF-8, which the record and the readers handle as plain bytes. Both conversions are
// exact: nothing is ever replaced by a look-alike, so a name either arrives whole or not
// at all.
namespace platform {

// The UTF-8 form of text; "" when text is not well-formed UTF-16 (a lone surrogate,
// which some file systems allow in names). "" names no file, so such a name opens and
// saves nothing rather than another file.
std::string Utf8Of(const wchar_t* text);

// The UTF-16 form of text into *wide; false when text is not well-formed UTF-8.
bool Utf16Of(const char* text, std::wstring* wide);

}  // namespace platform
