// The SGF reader over arbitrary bytes, fed in the 256-byte chunks that the file layer
// delivers: no crash, no read outside the text, only valid MoveCodes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/record_text.h"
#include "fuzz_record_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text;
  for (std::size_t at = 0; at < size; at += 256) {
    AppendSgfBytes(text, data + at, size - at < 256 ? size - at : 256);
  }
  for (const char c : text) {
    if (c == '\n' || c == '\r' || c == '(' || c == ')' || c == ';') std::abort();
  }
  // An exact copy of the kept bytes, so that a read past the end is caught.
  const std::string exact(text.begin(), text.end());
  const MoveCodeList codes = ScanSgfText(exact);
  fuzz_check::ExpectValidCodes(codes);
  int count = 0;
  const PositionPool& replayed = fuzz_check::ExpectSoundReplay(codes, &count);
  fuzz_check::ExpectFileReadAsReplayed(data, size, "input.sgf", replayed, count);
  return 0;
}
