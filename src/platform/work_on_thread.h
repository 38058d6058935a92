#pragma once
#include <functional>

namespace platform {

// One piece of work on a thread of its own, so that it overlaps what the caller does
// meanwhile. Whatever the work writes is the caller's to read once Wait has returned.
class WorkOnThread {
 public:
  WorkOnThread() = default;
  // Waits for the work: it may still be writing into its caller's objects.
  ~WorkOnThread() { Wait(); }
  WorkOnThread(const WorkOnThread&) = delete;
  WorkOnThread& operator=(const WorkOnThread&) = delete;

  // Waits for any earlier work, then starts this one; does it here and now when Windows
  // starts no thread.
  void Start(std::function<void()> work);
  // Returns once the work is done; at once when none runs.
  void Wait();

 private:
  static unsigned __stdcall Run(void* self);

  std::function<void()> work_;
  void* thread_ = nullptr;
};

}  // namespace platform
