// CleanFileName over arbitrary names: never writes past its buffer, and agrees with the
// plain statement of the rule (one quote off each end; empty or over 1000 is refused).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "formats/file_name.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string name(reinterpret_cast<const char*>(data), size);
  name.resize(std::strlen(name.c_str()));  // the program sees the text up to its NUL

  std::string expected = name;
  if (!expected.empty() && expected.front() == '"') expected.erase(0, 1);
  if (!expected.empty() && expected.back() == '"') expected.pop_back();
  const bool shouldAccept = !expected.empty() && expected.size() <= kFileNameCapacity - 1;

  // Exactly the promised size on the heap, so that the sanitizer sees any overrun.
  const std::unique_ptr<char[]> buffer(new char[kFileNameCapacity]);
  const bool accepted = CleanFileName(buffer.get(), name.c_str());
  if (accepted != shouldAccept) std::abort();
  if (accepted && expected != buffer.get()) std::abort();
  return 0;
}
