#include <windows.h>

#include "platform/trace.h"

namespace platform {

namespace {
TraceTap gTap = nullptr;
}

void Trace(const char* text) {
  OutputDebugStringA(text);
  if (gTap != nullptr) gTap(text);
}

void SetTraceTap(TraceTap tap) { gTap = tap; }

}  // namespace platform
