#pragma once
#include <functional>
#include <vector>

namespace platform {

// Work on threads of its own, so that it overlaps what the caller does meanwhile. Whatever
// the latest work writes is the caller's to read once Wait has returned.
class WorkOnThread {
 public:
  WorkOnThread() = default;
  // Waits for all work started: any of it may still be writing.
  ~WorkOnThread();
  WorkOnThread(const WorkOnThread&) = delete;
  WorkOnThread& operator=(const WorkOnThread&) = delete;

  // Starts this work at once; does it here and now when Windows starts no thread. Earlier
  // work is not waited for: it finishes on its own thread, so it must write only what it
  // owns, and nobody reads it any more.
  void Start(std::function<void()> work);
  // Returns once the latest work is done; at once when none runs.
  void Wait();

 private:
  void* thread_ = nullptr;       // the latest work's
  std::vector<void*> earlier_;   // threads of earlier work, closed once they have ended
};

}  // namespace platform
