#pragma once

// The exit code of a run whose message loop failed: GetMessage returned -1.
constexpr int kMessageLoopFailed = 3;

// The exit code of a run whose message loop ended with GetMessage's result lastGetMessage:
// the quit message's code after a quit (0), kMessageLoopFailed after a failure.
inline int MessageLoopExitCode(int lastGetMessage, int quitCode) {
  return lastGetMessage < 0 ? kMessageLoopFailed : quitCode;
}
