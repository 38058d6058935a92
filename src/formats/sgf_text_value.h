#pragma once
#include <cstddef>
#include <string>

#include "formats/text_charset.h"

// SGF's rules for property values, at the level of the charset's characters: a lead
// byte and the byte after it are one character, whatever that byte is, so a "\" or "]"
// inside a Shift-JIS, GBK, Big5 or UHC character neither escapes nor ends anything.

// Index of the "]" that closes the value whose first byte is bytes[begin] (the byte
// after its "["); size when the value is never closed. "\" escapes the next character.
std::size_t SgfValueEnd(const unsigned char* bytes, std::size_t size, std::size_t begin,
                        const LeadBytes& leads);

// The text of a value's bytes (between its brackets), still in its charset: "\" escapes
// the next character and, before a line break, removes the break; LF, CR, CRLF and LFCR
// are each one line break, which becomes "\n" in Text and a space in SimpleText; every
// other white space becomes a space.
std::string SgfTextOf(const unsigned char* bytes, std::size_t size, const LeadBytes& leads,
                      bool simpleText);
