#include <windows.h>

#include <string>
#include <vector>

#include "platform/record_file_io.h"
#include "platform/utf16.h"

namespace platform {

namespace {

constexpr DWORD kChunkSize = 256;
constexpr DWORD kBlockSize = 64 * 1024;
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
// Looking at a file must not disturb whoever else has it open.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE HandleOf(void* handle) { return static_cast<HANDLE>(handle); }

// What one attempt at a step of the save gave.
enum class Outcome { kDone, kHeld, kFailed };

// A sharing violation is another program's hold, which passes; any other failure is
// final. A denial in particular usually is the user's rights, which waiting never mends.
Outcome OutcomeOf(bool done) {
  if (done) return Outcome::kDone;
  return GetLastError() == ERROR_SHARING_VIOLATION ? Outcome::kHeld : Outcome::kFailed;
}

// Makes attempt until it is done, fails for good, or holds have lasted kHoldPatienceMs.
// The first attempt is made at once, so a save that nothing holds never waits.
template <typename Attempt>
bool RetryWhileHeld(const Attempt& attempt) {
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    const Outcome outcome = attempt();
    if (outcome != Outcome::kHeld) return outcome == Outcome::kDone;
    if (GetTickCount64() - start >= kHoldPatienceMs) return false;
    Sleep(kHoldStepMs);
  }
}

HANDLE OpenExisting(const std::wstring& name, DWORD access) {
  return CreateFileW(name.c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Whether an open handle is a file on a disk. A name such as COM1.sgf or NUL.sgf names a
// device on Windows 10 and earlier, whatever its folder and extension, and a name can also
// lead to a pipe: reading a port blocks until it sends, and none of them is a record.
bool IsDiskFile(HANDLE file) { return GetFileType(file) == FILE_TYPE_DISK; }

// The folder part of path, separator included.
bool FolderOf(const std::wstring& path, std::wstring* folder) {
  const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return false;
  std::vector<wchar_t> full(needed + 1);
  wchar_t* filePart = nullptr;
  const DWORD length =
      GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), &filePart);
  if (length == 0 || length >= full.size() || filePart == nullptr) return false;
  folder->assign(full.data(), static_cast<std::size_t>(filePart - full.data()));
  return true;
}

// The path of the open file, a link followed, without the "\\?\" prefix, so that it
// reads as the user's own paths do in a message; false when the file system cannot tell.
bool FinalNameOf(HANDLE file, std::wstring* name) {
  constexpr DWORD kFlags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
  std::vector<wchar_t> path(MAX_PATH);
  DWORD length =
      GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()), kFlags);
  if (length >= path.size()) {
    path.resize(length + 1);
    length = GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()), kFlags);
  }
  if (length == 0 || length >= path.size()) return false;
  name->assign(path.data(), length);
  if (name->compare(0, 8, L"\\\\?\\UNC\\") == 0) {
    name->replace(0, 8, L"\\\\");
  } else if (name->compare(0, 4, L"\\\\?\\") == 0) {
    name->erase(0, 4);
  }
  return true;
}

// Whether path opens the very file that was examined: the same volume and file index.
// A final path can lead elsewhere, through a drive letter mapped again or a share that
// resolves the link on the server's side.
bool LeadsTo(const std::wstring& path, const BY_HANDLE_FILE_INFORMATION& examined) {
  HANDLE file = OpenExisting(path, FILE_READ_ATTRIBUTES);
  if (file == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool same = GetFileInformationByHandle(file, &info) != 0 &&
                    info.dwVolumeSerialNumber == examined.dwVolumeSerialNumber &&
                    info.nFileIndexHigh == examined.nFileIndexHigh &&
                    info.nFileIndexLow == examined.nFileIndexLow;
  CloseHandle(file);
  return same;
}

enum class Target { kNew, kExisting, kRefused };

// What the save finds at *name: no file yet, a file to replace (*name then becomes the
// path of that file, a link followed), or a file not to be replaced. A target that
// cannot be looked at is refused too.
Target Examine(std::wstring* name) {
  HANDLE file = OpenExisting(*name, FILE_READ_ATTRIBUTES);
  if (file == INVALID_HANDLE_VALUE) {
    return GetLastError() == ERROR_FILE_NOT_FOUND ? Target::kNew : Target::kRefused;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  const bool examined = IsDiskFile(file) && GetFileInformationByHandle(file, &info) != 0;
  std::wstring finalName;
  const bool named = FinalNameOf(file, &finalName);
  CloseHandle(file);
  if (!examined || (info.dwFileAttributes & kRefusedAttributes) != 0) return Target::kRefused;
  if (named) {
    if (!LeadsTo(finalName, info)) return Target::kRefused;
    *name = finalName;
    return Target::kExisting;
  }
  // A file system that cannot tell the final path: the name serves, unless it is a link
  // (the attributes of the name itself, not of the file it leads to).
  const DWORD attributes = GetFileAttributesW(name->c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    return Target::kRefused;
  }
  return Target::kExisting;
}

// Whether the file opens anew for DELETE, as a rename or a deletion by name must.
bool OpensForDelete(const std::wstring& name) {
  HANDLE file = OpenExisting(name, DELETE);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

// Moves our own fresh temporary file to target. Virus scanners and indexers open a fresh
// file as it is renamed, and the move then fails for a moment with a denial, not only with
// a sharing violation. A denial can also be final: a folder may let a user create files
// but not rename or delete them. Commit ruled that out for the temporary file just before,
// so a denial here is most likely a scanner's and is waited for as a hold is; should it be
// final after all, the wait costs a second.
bool MoveIntoPlace(const std::wstring& temporary, const std::wstring& target, DWORD flags) {
  return RetryWhileHeld([&] {
    if (MoveFileExW(temporary.c_str(), target.c_str(), flags)) return Outcome::kDone;
    const DWORD error = GetLastError();
    const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
    return held ? Outcome::kHeld : Outcome::kFailed;
  });
}

// Puts temporary in place of the existing target with ReplaceFileW. When ReplaceFileW
// took the target away but could not move the new file in (1176, 1177), a plain move
// finishes the save, so that the target is never left missing. Should that fail too, the
// old file may be gone whatever now stands at its name (1176 says it is), and
// *keepTemporary tells that the temporary file may hold the only copy of the record.
bool ReplaceTarget(const std::wstring& temporary, const std::wstring& target,
                   bool* keepTemporary) {
  DWORD error = ERROR_SUCCESS;
  const bool replaced = RetryWhileHeld([&] {
    // Asked first because under Wine a ReplaceFileW that meets a held target leaves an
    // empty file of its own beside it; and a target the user may not delete is final.
    if (!OpensForDelete(target)) return OutcomeOf(false);
    if (ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, kReplaceFlags, nullptr,
                     nullptr)) {
      return Outcome::kDone;
    }
    error = GetLastError();
    // The target was free to delete a moment ago: a denial now, or a replaced file that
    // could not be removed, is a hold that began since.
    const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
                      error == ERROR_UNABLE_TO_REMOVE_REPLACED;
    return held ? Outcome::kHeld : Outcome::kFailed;
  });
  if (replaced) return true;
  if (error != ERROR_UNABLE_TO_MOVE_REPLACEMENT && error != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
    return false;
  }
  if (MoveIntoPlace(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  *keepTemporary = true;
  return false;
}

// The named file opened for reading, others may read it too; INVALID_HANDLE_VALUE when
// it cannot be, a name that is not UTF-8 among them.
HANDLE OpenToRead(const char* name) {
  std::wstring wide;
  if (!Utf16Of(name, &wide)) return INVALID_HANDLE_VALUE;
  return CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Hands the file's bytes to onChunk in order, up to the first read that delivers nothing.
void ReadChunks(HANDLE file, const ChunkSink& onChunk) {
  unsigned char chunk[kChunkSize];
  for (;;) {
    // Only the count tells: a read error and the end of the file both deliver nothing.
    DWORD got = 0;
    ReadFile(file, chunk, kChunkSize, &got, nullptr);
    if (got == 0) return;
    onChunk(chunk, got);
  }
}

// Removes our temporary file by its name, once no handle to it is left. A scanner that
// holds it is waited for. DeleteFileW also asks to read the file's attributes; an open
// that asks for DELETE alone may be granted where that is refused.
void RemoveByName(const std::wstring& temporary) {
  if (RetryWhileHeld([&] { return OutcomeOf(DeleteFileW(temporary.c_str()) != 0); })) return;
  HANDLE file = CreateFileW(temporary.c_str(), DELETE, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

// Marks the file open in handle for deletion when the handle closes. The handle was given
// DELETE when the file was made, which the folder may refuse to any later open.
bool DeleteOnClose(HANDLE file) {
  FILE_DISPOSITION_INFO disposition{TRUE};
  return SetFileInformationByHandle(file, FileDispositionInfo, &disposition,
                                    sizeof disposition) != 0;
}

// How the user finds a kept temporary file: its full path in UTF-8, or, where the path
// cannot be written in UTF-8 (a lone surrogate in a folder reached through a link), its
// own name, which is ASCII and stands in the folder of the file being saved.
std::string KeptCopyNameOf(const std::wstring& temporary) {
  const std::string path = Utf8Of(temporary.c_str());
  if (!path.empty()) return path;
  return Utf8Of(temporary.c_str() + temporary.find_last_of(L'\\') + 1);
}

}  // namespace

void ReadFileChunks(const char* name, const ChunkSink& onChunk) {
  HANDLE file = OpenToRead(name);
  // INVALID_HANDLE_VALUE is also the current process's pseudo-handle: never read from it.
  if (file == INVALID_HANDLE_VALUE) return;
  if (IsDiskFile(file)) ReadChunks(file, onChunk);
  CloseHandle(file);
}

void ReadFileBlocks(const char* name, BlockTarget& target) {
  HANDLE file = OpenToRead(name);
  if (file == INVALID_HANDLE_VALUE) return;
  LARGE_INTEGER size{};
  if (!IsDiskFile(file) || !GetFileSizeEx(file, &size)) size.QuadPart = 0;
  const std::size_t expected = static_cast<std::size_t>(size.QuadPart);
  target.Expect(expected + 1);
  for (std::size_t done = 0; IsDiskFile(file);) {
    const DWORD want = static_cast<DWORD>(NextReadSize(expected, done, kBlockSize));
    DWORD got = 0;
    ReadFile(file, target.Room(want), want, &got, nullptr);
    if (got == 0) break;
    target.Filled(got);
    done += got;
  }
  CloseHandle(file);
}

std::string ReadWholeFile(const char* name) {
  std::string bytes;
  HANDLE file = OpenToRead(name);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  LARGE_INTEGER size{};
  if (IsDiskFile(file) && GetFileSizeEx(file, &size)) {
    // Each call under Wine costs a trip through its server: a few large ones, not
    // tens of thousands of 256 bytes.
    constexpr DWORD kPiece = 1 << 20;
    const std::size_t expected = static_cast<std::size_t>(size.QuadPart);
    bytes.resize(expected + 1);
    std::size_t filled = 0;
    for (;;) {
      const DWORD want = static_cast<DWORD>(NextReadSize(expected, filled, kPiece));
      if (bytes.size() - filled < want) bytes.resize(bytes.size() * 2 + want);
      DWORD got = 0;
      ReadFile(file, &bytes[filled], want, &got, nullptr);
      if (got == 0) break;
      filled += got;
    }
    bytes.resize(filled);
  }
  CloseHandle(file);
  return bytes;
}

OutputFile::~OutputFile() { Abandon(); }

bool OutputFile::Create(const char* target) {
  Abandon();
  failed_ = true;
  keptCopy_.clear();
  if (!Utf16Of(target, &target_) || target_.empty()) return false;
  const Target found = Examine(&target_);
  targetExists_ = found == Target::kExisting;
  std::wstring folder;
  if (found == Target::kRefused || !FolderOf(target_, &folder)) return false;
  static unsigned serial = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary_ = folder + L"~tavune-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                 std::to_wstring(++serial) + L".tmp";
    // DELETE, which every rename needs too, so that this handle can take the file away
    // again whatever later opens are granted; shared for DELETE alone, so that Commit can
    // try the open a rename makes while the handle is still held.
    HANDLE file = CreateFileW(temporary_.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE,
                              nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
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
  // empty. The move opens the temporary file anew, for DELETE: where the folder refuses
  // that, the move cannot succeed, and only the handle still held can remove the file.
  if (!FlushFileBuffers(HandleOf(handle_)) || !OpensForDelete(temporary_)) {
    failed_ = true;
    Abandon();
    return false;
  }
  const BOOL closed = CloseHandle(HandleOf(handle_));
  handle_ = nullptr;
  bool keepTemporary = false;
  // A file that appeared after Create looked is not replaced by the move: it was never
  // examined.
  const bool placed =
      closed &&
      (targetExists_ ? ReplaceTarget(temporary_, target_, &keepTemporary)
                     : MoveIntoPlace(temporary_, target_, MOVEFILE_WRITE_THROUGH));
  if (!placed) {
    failed_ = true;
    if (keepTemporary) {
      keptCopy_ = KeptCopyNameOf(temporary_);
      temporary_.clear();
    }
    Abandon();
    return false;
  }
  temporary_.clear();
  return true;
}

void OutputFile::Abandon() {
  if (handle_ != nullptr) {
    if (DeleteOnClose(HandleOf(handle_))) temporary_.clear();
    CloseHandle(HandleOf(handle_));
    handle_ = nullptr;
  }
  if (!temporary_.empty()) {
    RemoveByName(temporary_);
    temporary_.clear();
  }
}

}  // namespace platform
