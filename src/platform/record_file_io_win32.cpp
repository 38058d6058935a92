#include <windows.h>

#include <cstdio>
#include <vector>

#include "platform/record_file_io.h"

namespace platform {

namespace {

constexpr DWORD kChunkSize = 256;
// Creating over such a file is refused by the system. A rename would replace it silently
// and drop the attribute, so the save refuses it before writing anything.
constexpr DWORD kRefusedAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
// Virus scanners, indexers and sync clients open a file for a moment, often just after it
// was written. A save waits that long in short steps before it counts as failed.
constexpr ULONGLONG kHoldPatienceMs = 1000;
constexpr DWORD kHoldStepMs = 50;
// An ACL or stream that cannot be carried over is no reason to lose the save.
constexpr DWORD kReplaceFlags = REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS;

HANDLE HandleOf(void* handle) { return static_cast<HANDLE>(handle); }

// Errors that another program's brief hold on a file gives. ReplaceFileA reports a
// replaced file it could not remove (nothing changed) as its own code.
bool IsBriefHold(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
         error == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

// Calls attempt (true on success, the last error set on failure) until it succeeds, fails
// for another reason than a hold, or holds have lasted kHoldPatienceMs. The first call is
// made at once, so a save that nothing holds never waits.
template <typename Attempt>
bool RetryWhileHeld(const Attempt& attempt) {
  const ULONGLONG start = GetTickCount64();
  while (!attempt()) {
    if (!IsBriefHold(GetLastError()) || GetTickCount64() - start >= kHoldPatienceMs) {
      return false;
    }
    Sleep(kHoldStepMs);
  }
  return true;
}

// The folder part of path, separator included ("" for a bare name). GetFullPathNameA
// knows the code page's double-byte characters, whose second byte may be a backslash.
bool FolderOf(const char* path, std::string* folder) {
  const DWORD needed = GetFullPathNameA(path, 0, nullptr, nullptr);
  if (needed == 0) return false;
  std::vector<char> full(needed + 1);
  char* filePart = nullptr;
  const DWORD length = GetFullPathNameA(path, static_cast<DWORD>(full.size()), full.data(), &filePart);
  if (length == 0 || length >= full.size() || filePart == nullptr) return false;
  folder->assign(full.data(), static_cast<std::size_t>(filePart - full.data()));
  return true;
}

// The path of the open file, a link followed, without the "\\?\" prefix that the A
// functions do without; false when the file system cannot tell it.
bool FinalNameOf(HANDLE file, std::string* name) {
  constexpr DWORD kFlags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
  std::vector<char> path(MAX_PATH);
  DWORD length = GetFinalPathNameByHandleA(file, path.data(), static_cast<DWORD>(path.size()), kFlags);
  if (length >= path.size()) {
    path.resize(length + 1);
    length = GetFinalPathNameByHandleA(file, path.data(), static_cast<DWORD>(path.size()), kFlags);
  }
  if (length == 0 || length >= path.size()) return false;
  name->assign(path.data(), length);
  if (name->compare(0, 8, "\\\\?\\UNC\\") == 0) {
    name->replace(0, 8, "\\\\");
  } else if (name->compare(0, 4, "\\\\?\\") == 0) {
    name->erase(0, 4);
  }
  return true;
}

enum class Target { kNew, kExisting, kRefused };

// What the save finds at *name: no file yet, a file to replace (*name then becomes the
// path of that file, a link followed), or a file not to be replaced. A target that
// cannot be looked at is refused too.
Target Examine(std::string* name) {
  HANDLE file = CreateFileA(name->c_str(), FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return GetLastError() == ERROR_FILE_NOT_FOUND ? Target::kNew : Target::kRefused;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  const bool examined = GetFileInformationByHandle(file, &info) != 0;
  std::string finalName;
  const bool named = FinalNameOf(file, &finalName);
  CloseHandle(file);
  if (!examined || (info.dwFileAttributes & kRefusedAttributes) != 0) return Target::kRefused;
  if (named) {
    *name = finalName;
    return Target::kExisting;
  }
  // A file system that cannot tell the final path: the name serves, unless it is a link.
  const DWORD attributes = GetFileAttributesA(name->c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    return Target::kRefused;
  }
  return Target::kExisting;
}

bool MoveIntoPlace(const std::string& temporary, const std::string& target, DWORD flags) {
  return RetryWhileHeld(
      [&] { return MoveFileExA(temporary.c_str(), target.c_str(), flags) != 0; });
}

// Whether target can be opened for deletion now, as ReplaceFileA will open it. Asked
// first because under Wine a ReplaceFileA that meets a held target leaves an empty file
// of its own beside it.
bool FreeToReplace(const std::string& target) {
  HANDLE file = CreateFileA(target.c_str(), DELETE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

// Puts temporary in place of the existing target with ReplaceFileA. When ReplaceFileA
// took the target away but could not move the new file in (1176, 1177), a plain move
// finishes the save, so that the target is never left missing; should that fail too,
// *keepTemporary tells that the temporary file now holds the only copy of the record.
bool ReplaceTarget(const std::string& temporary, const std::string& target, bool* keepTemporary) {
  const bool replaced = RetryWhileHeld([&] {
    return FreeToReplace(target) && ReplaceFileA(target.c_str(), temporary.c_str(), nullptr,
                                                 kReplaceFlags, nullptr, nullptr) != 0;
  });
  if (replaced) return true;
  const DWORD error = GetLastError();
  if (error != ERROR_UNABLE_TO_MOVE_REPLACEMENT && error != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
    return false;
  }
  if (MoveIntoPlace(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  *keepTemporary = GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES;
  return false;
}

}  // namespace

void ReadFileChunks(const char* name, const ChunkSink& onChunk) {
  HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  unsigned char chunk[kChunkSize];
  for (;;) {
    // Only the count tells: a failed open, a read error and the end of the file all
    // deliver nothing.
    DWORD got = 0;
    ReadFile(file, chunk, kChunkSize, &got, nullptr);
    if (got == 0) break;
    onChunk(chunk, got);
  }
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

OutputFile::~OutputFile() { Abandon(); }

bool OutputFile::Create(const char* target) {
  Abandon();
  failed_ = true;
  target_ = target;
  const Target found = Examine(&target_);
  targetExists_ = found == Target::kExisting;
  std::string folder;
  if (found == Target::kRefused || !FolderOf(target_.c_str(), &folder)) return false;
  static unsigned serial = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char name[64];
    std::snprintf(name, sizeof name, "~tavune-%lu-%u.tmp", GetCurrentProcessId(), ++serial);
    temporary_ = folder + name;
    HANDLE file = INVALID_HANDLE_VALUE;
    const bool created = RetryWhileHeld([&] {
      file = CreateFileA(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
      return file != INVALID_HANDLE_VALUE;
    });
    if (created) {
      handle_ = file;
      failed_ = false;
      return true;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  temporary_.clear();
  return false;
}

bool OutputFile::Write(const void* bytes, std::size_t size) {
  if (failed_ || handle_ == nullptr) return false;
  DWORD wrote = 0;
  const BOOL ok = WriteFile(HandleOf(handle_), bytes, static_cast<DWORD>(size), &wrote, nullptr);
  if (!ok || wrote != size) {
    failed_ = true;
    return false;
  }
  return true;
}

bool OutputFile::Commit() {
  if (failed_ || handle_ == nullptr) {
    Abandon();
    return false;
  }
  // The bytes reach the disk before the name moves, so a crash never leaves the target
  // empty.
  const BOOL flushed = FlushFileBuffers(HandleOf(handle_));
  const BOOL closed = CloseHandle(HandleOf(handle_));
  handle_ = nullptr;
  bool keepTemporary = false;
  // A file that appeared after Create looked is not replaced by the move: it was never
  // examined.
  const bool placed =
      flushed && closed &&
      (targetExists_ ? ReplaceTarget(temporary_, target_, &keepTemporary)
                     : MoveIntoPlace(temporary_, target_, MOVEFILE_WRITE_THROUGH));
  if (!placed) {
    failed_ = true;
    if (keepTemporary) temporary_.clear();
    Abandon();
    return false;
  }
  temporary_.clear();
  return true;
}

void OutputFile::Abandon() {
  if (handle_ != nullptr) {
    CloseHandle(HandleOf(handle_));
    handle_ = nullptr;
  }
  if (!temporary_.empty()) {
    DeleteFileA(temporary_.c_str());
    temporary_.clear();
  }
}

}  // namespace platform
