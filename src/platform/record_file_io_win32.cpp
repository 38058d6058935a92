#include <windows.h>

#include <cstdio>
#include <vector>

#include "platform/record_file_io.h"

namespace platform {

namespace {

constexpr DWORD kChunkSize = 256;

HANDLE HandleOf(void* handle) { return static_cast<HANDLE>(handle); }

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
  failed_ = false;
  target_ = target;
  // A read-only file is not to be written, though a move could still replace it.
  const DWORD attributes = GetFileAttributesA(target);
  const bool readOnly =
      attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  std::string folder;
  if (readOnly || !FolderOf(target, &folder)) {
    failed_ = true;
    return false;
  }
  static unsigned serial = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char name[64];
    std::snprintf(name, sizeof name, "~tavune-%lu-%u.tmp", GetCurrentProcessId(), ++serial);
    temporary_ = folder + name;
    HANDLE file = CreateFileA(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      handle_ = file;
      return true;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  temporary_.clear();
  failed_ = true;
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
  if (!flushed || !closed || !MoveFileExA(temporary_.c_str(), target_.c_str(),
                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    failed_ = true;
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
