#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "formats/move_code.h"

// The byte-level halves of the two readers, apart from the file: what the SGF reader
// keeps of the bytes it reads, and how each reader turns its text into MoveCodes.

// Appends bytes to an SGF text, leaving out every line feed, carriage return, "(", ")"
// and ";", wherever they stand.
void AppendSgfBytes(std::string& text, const unsigned char* bytes, std::size_t size);

// The MoveCodes of the B, W and E items and the AB and AW lists of an SGF text (as
// AppendSgfBytes leaves it), in text order. Never reads outside the text.
MoveCodeList ScanSgfText(const std::string& text);

// What the scan of an SGF text saw besides the MoveCodes, each told by the number of codes
// scanned before it, for numbering the moves and placing comments.
struct SgfScanMarks {
  // Text offsets, ascending, given before the scan: for each, the number of codes whose
  // item starts before it comes back in codesBefore.
  std::vector<std::size_t> checkpoints;
  std::vector<std::int32_t> codesBefore;
  // A pass (an empty B or W value, or "tt") after this many codes; ascending.
  std::vector<std::int32_t> passes;
  // The indices of the codes of E items: removals, no moves; ascending.
  std::vector<std::int32_t> removals;
  // The codes [first, end) of an AB or AW list: setup stones, no moves; ascending.
  std::vector<std::pair<std::int32_t, std::int32_t>> setupLists;
};

// The same MoveCodes as ScanSgfText gives for the text [text, text + size), and the marks.
// mayHoldRemovals is MayHoldRemovals of the text, which a reader that looked at the text
// as it arrived knows already: a second look costs a trip through the whole text.
MoveCodeList ScanSgfTextMarked(const unsigned char* text, std::size_t size, bool mayHoldRemovals,
                               SgfScanMarks* marks);
// Whether an E item could stand in the text: an "E[" with two letters of a point after it.
// Most records have none (a result such as "RE[B+R]" is none).
bool MayHoldRemovals(const unsigned char* text, std::size_t size);

// The stones of the data lines after the first "[Data]\r\n" of a UGF text, in line
// order; empty when the text holds no such marker. Never reads outside the text.
MoveCodeList ScanUgfText(const std::string& text);
