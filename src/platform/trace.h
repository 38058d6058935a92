#pragma once

namespace platform {

// Writes one trace text to the debugger output (OutputDebugStringA on Windows; natively
// only the tap sees it). Every handler of the three windows writes exactly one per event.
void Trace(const char* text);

// Test seam: every traced text is also handed to tap; nullptr removes it.
using TraceTap = void (*)(const char* text);
void SetTraceTap(TraceTap tap);

}  // namespace platform
