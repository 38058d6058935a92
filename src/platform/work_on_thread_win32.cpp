#include "platform/work_on_thread.h"

#include <windows.h>
#include <process.h>

#include <utility>

namespace platform {

void WorkOnThread::Start(std::function<void()> work) {
  Wait();
  work_ = std::move(work);
  // _beginthreadex rather than CreateThread: the work allocates and calls the C library.
  thread_ = reinterpret_cast<void*>(_beginthreadex(nullptr, 0, &WorkOnThread::Run, this, 0, nullptr));
  if (!thread_) {
    work_();
    work_ = nullptr;
  }
}

void WorkOnThread::Wait() {
  if (!thread_) return;
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  thread_ = nullptr;
  work_ = nullptr;
}

unsigned __stdcall WorkOnThread::Run(void* self) {
  static_cast<WorkOnThread*>(self)->work_();
  return 0;
}

}  // namespace platform
