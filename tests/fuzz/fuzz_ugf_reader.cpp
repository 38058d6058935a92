// The UGF reader over arbitrary bytes: no crash, no read outside the text, only valid
// stones, and nothing at all without the data marker.
#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/record_text.h"
#include "fuzz_record_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const MoveCodeList codes = ScanUgfText(text);
  fuzz_check::ExpectValidCodes(codes);
  for (const MoveCode code : codes) {
    if (code < 10000) std::abort();  // a UGF file holds stones only
  }
  if (!codes.empty() && text.find("[Data]\r\n") == std::string::npos) std::abort();
  int count = 0;
  const PositionPool& replayed = fuzz_check::ExpectSoundReplay(codes, &count);
  fuzz_check::ExpectFileReadAsReplayed(data, size, "input.ugf", replayed, count);
  return 0;
}
