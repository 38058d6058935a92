#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/record_file_io.h"

namespace platform {

namespace {

constexpr std::size_t kChunkSize = 256;
// Read in large blocks and hand them on in 256-byte chunks: the readers see the same
// chunks, and the system is asked far less often.
constexpr std::size_t kBlockSize = 64 * 1024;

int DescriptorOf(void* handle) { return static_cast<int>(reinterpret_cast<std::intptr_t>(handle)) - 1; }
void* HandleOf(int descriptor) { return reinterpret_cast<void*>(static_cast<std::intptr_t>(descriptor) + 1); }

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Gives temporary the target's name. Where Create found no file, a name there now (one
// that appeared since, or a dangling link) is not replaced: it was never examined, and
// Windows refuses it too.
bool MoveIntoPlace(const std::string& temporary, const std::string& target, bool replace) {
  if (replace) return rename(temporary.c_str(), target.c_str()) == 0;
  return renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0;
}

// Whether the folder's entries reached the disk: until they do, a power cut can take a
// moved name back.
bool SyncFolder(const std::string& folder) {
  const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return false;
  const bool synced = fsync(descriptor) == 0;
  close(descriptor);
  return synced;
}

}  // namespace

namespace {

// Reads the file in blocks and hands them on in pieces of up to pieceSize bytes.
void ReadPieces(const char* name, const ChunkSink& onPiece, std::size_t pieceSize) {
  const int descriptor = open(name, O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return;
  // A small file takes a block of its own size, not a whole one.
  struct stat status {};
  const std::size_t size = fstat(descriptor, &status) == 0 ? static_cast<std::size_t>(status.st_size) : 0;
  const std::size_t blockSize = size < kBlockSize ? size + 1 : kBlockSize;
  const std::unique_ptr<unsigned char[]> buffer(new unsigned char[blockSize]);
  unsigned char* const block = buffer.get();
  for (;;) {
    const ssize_t got = read(descriptor, block, blockSize);
    if (got < 0 && errno == EINTR) continue;
    // End of file and read errors both end the file, as a delivery of nothing does.
    if (got <= 0) break;
    for (std::size_t at = 0; at < static_cast<std::size_t>(got); at += pieceSize) {
      const std::size_t left = static_cast<std::size_t>(got) - at;
      onPiece(block + at, left < pieceSize ? left : pieceSize);
    }
  }
  close(descriptor);
}

}  // namespace

void ReadFileChunks(const char* name, const ChunkSink& onChunk) { ReadPieces(name, onChunk, kChunkSize); }

void ReadFileBlocks(const char* name, BlockTarget& target) {
  const int descriptor = open(name, O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return;
  struct stat status {};
  const std::size_t size = fstat(descriptor, &status) == 0 ? static_cast<std::size_t>(status.st_size) : 0;
  target.Expect(size + 1);
  for (std::size_t done = 0;;) {
    const std::size_t want = NextReadSize(size, done, kBlockSize);
    const ssize_t got = read(descriptor, target.Room(want), want);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    target.Filled(static_cast<std::size_t>(got));
    done += static_cast<std::size_t>(got);
  }
  close(descriptor);
}

std::string ReadWholeFile(const char* name) {
  std::string bytes;
  const int descriptor = open(name, O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return bytes;
  struct stat status {};
  const std::size_t size = fstat(descriptor, &status) == 0 ? static_cast<std::size_t>(status.st_size) : 0;
  bytes.resize(size + 1);
  std::size_t filled = 0;
  for (;;) {
    const std::size_t want = NextReadSize(size, filled, kBlockSize);
    if (bytes.size() - filled < want) bytes.resize(bytes.size() * 2 + want);
    const ssize_t got = read(descriptor, &bytes[filled], want);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    filled += static_cast<std::size_t>(got);
  }
  close(descriptor);
  bytes.resize(filled);
  return bytes;
}

OutputFile::~OutputFile() { Abandon(); }

bool OutputFile::Create(const char* target) {
  Abandon();
  failed_ = false;
  target_ = target;
  // A link is saved through: the file it names is replaced, and the link stays a link.
  if (char* named = realpath(target, nullptr)) {
    target_ = named;
    std::free(named);
  }
  targetExists_ = access(target_.c_str(), F_OK) == 0;
  // A file the user may not write is not replaced, though a rename could do it.
  if (targetExists_ && access(target_.c_str(), W_OK) != 0) {
    failed_ = true;
    return false;
  }
  const std::string folder = FolderOf(target_);
  static unsigned serial = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char name[64];
    std::snprintf(name, sizeof name, "/.tavune-%ld-%u.tmp", static_cast<long>(getpid()), ++serial);
    temporary_ = folder + name;
    const int descriptor = open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor >= 0) {
      handle_ = HandleOf(descriptor);
      return true;
    }
    if (errno != EEXIST) break;
  }
  temporary_.clear();
  failed_ = true;
  return false;
}

bool OutputFile::Write(const void* bytes, std::size_t size) {
  if (failed_ || handle_ == nullptr) return false;
  const auto* at = static_cast<const unsigned char*>(bytes);
  while (size > 0) {
    const ssize_t wrote = write(DescriptorOf(handle_), at, size);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) {
      failed_ = true;
      return false;
    }
    at += wrote;
    size -= static_cast<std::size_t>(wrote);
  }
  return true;
}

bool OutputFile::Commit() {
  if (failed_ || handle_ == nullptr) {
    Abandon();
    return false;
  }
  const int descriptor = DescriptorOf(handle_);
  // A replaced file keeps its permissions.
  struct stat existing;
  if (targetExists_ && stat(target_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
    fchmod(descriptor, existing.st_mode & 07777);
  }
  // The bytes reach the disk before the name moves, so a crash never leaves the target
  // empty.
  const bool flushed = fsync(descriptor) == 0;
  handle_ = nullptr;
  const bool closed = close(descriptor) == 0;
  if (!flushed || !closed || !MoveIntoPlace(temporary_, target_, targetExists_)) {
    failed_ = true;
    Abandon();
    return false;
  }
  temporary_.clear();
  failed_ = !SyncFolder(FolderOf(target_));
  return !failed_;
}

void OutputFile::Abandon() {
  if (handle_ != nullptr) {
    close(DescriptorOf(handle_));
    handle_ = nullptr;
  }
  if (!temporary_.empty()) {
    unlink(temporary_.c_str());
    temporary_.clear();
  }
}

}  // namespace platform
