#include "platform/trace.h"

namespace platform {

namespace {
TraceTap gTap = nullptr;
}

// Natively there is no debugger output to write to; only a tap sees the texts, which
// keeps the test output clean.
void Trace(const char* text) {
  if (gTap != nullptr) gTap(text);
}

void SetTraceTap(TraceTap tap) { gTap = tap; }

}  // namespace platform
