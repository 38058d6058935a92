#include "platform/work_on_thread.h"

#include <windows.h>
#include <process.h>

#include <memory>
#include <utility>

namespace platform {

namespace {

using Work = std::function<void()>;

// The thread owns its work, so that work started later never touches it.
unsigned __stdcall Run(void* work) {
  const std::unique_ptr<Work> owned(static_cast<Work*>(work));
  (*owned)();
  return 0;
}

// Waits for the thread, if any, and closes its handle.
void Join(void*& thread) {
  if (!thread) return;
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  thread = nullptr;
}

}  // namespace

WorkOnThread::~WorkOnThread() {
  Wait();
  for (void*& thread : earlier_) Join(thread);
}

void WorkOnThread::Start(std::function<void()> work) {
  // The threads of earlier work that have ended are closed; the others run on.
  std::vector<void*> running;
  for (void* thread : earlier_) {
    if (WaitForSingleObject(thread, 0) == WAIT_OBJECT_0) {
      CloseHandle(thread);
    } else {
      running.push_back(thread);
    }
  }
  earlier_ = std::move(running);
  if (thread_) earlier_.push_back(std::exchange(thread_, nullptr));
  auto owned = std::make_unique<Work>(std::move(work));
  // _beginthreadex rather than CreateThread: the work allocates and calls the C library.
  thread_ = reinterpret_cast<void*>(_beginthreadex(nullptr, 0, &Run, owned.get(), 0, nullptr));
  if (thread_) {
    owned.release();  // the thread's now
  } else {
    (*owned)();
  }
}

void WorkOnThread::Wait() { Join(thread_); }

}  // namespace platform
