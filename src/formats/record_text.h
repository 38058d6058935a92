#pragma once
#include <cstddef>
#include <string>

#include "formats/move_code.h"

// The byte-level halves of the two readers, apart from the file: what the SGF reader
// keeps of the bytes it reads, and how each reader turns its text into MoveCodes.

// Appends bytes to an SGF text, leaving out every line feed, carriage return, "(", ")"
// and ";", wherever they stand.
void AppendSgfBytes(std::string& text, const unsigned char* bytes, std::size_t size);

// The MoveCodes of the B, W and E items and the AB and AW lists of an SGF text (as
// AppendSgfBytes leaves it), in text order. Never reads outside the text.
MoveCodeList ScanSgfText(const std::string& text);

// The stones of the data lines after the first "[Data]\r\n" of a UGF text, in line
// order; empty when the text holds no such marker. Never reads outside the text.
MoveCodeList ScanUgfText(const std::string& text);
