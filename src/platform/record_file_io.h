#pragma once
#include <cstddef>
#include <functional>
#include <string>

// The few file operations the record and the readers need. Names are UTF-8. One Win32
// implementation (the UTF-16 calls CreateFileW, ReadFile, WriteFile, ReplaceFileW) and one
// POSIX implementation for the native build.
namespace platform {

#ifdef _WIN32
using NativeName = std::wstring;
#else
using NativeName = std::string;
#endif

// Reads the named file in chunks of at most 256 bytes, handing each delivered chunk to
// onChunk in file order. Stops at the first call that delivers nothing (end of file or a
// read error). Reads nothing from a file that could not be opened (a name that is not
// UTF-8 among them) or that is no file on a disk (a device such as COM1, a pipe).
using ChunkSink = std::function<void(const unsigned char* bytes, std::size_t size)>;
void ReadFileChunks(const char* name, const ChunkSink& onChunk);

// Where a file is read to in large blocks, straight into the reader's own memory: Room
// gives space for size bytes, of which Filled tells how many a read wrote.
class BlockTarget {
 public:
  virtual ~BlockTarget() = default;
  virtual unsigned char* Room(std::size_t size) = 0;
  virtual void Filled(std::size_t size) = 0;
  // Before the first Room, where the system tells the file's size: the room all the reads
  // will ask for, so that a target can make it at once rather than grow to it.
  virtual void Expect(std::size_t) {}
};
// How many bytes the next read of a file asks for, done bytes into the expected ones (its
// size when the reading began): the rest, in blocks; then one byte, which finds the end
// without room for a whole block more; and whole blocks again if the file has grown.
inline std::size_t NextReadSize(std::size_t expected, std::size_t done, std::size_t block) {
  if (done < expected) return expected - done < block ? expected - done : block;
  return done == expected ? 1 : block;
}

// Reads the named file into target in blocks of up to 64 KiB, for the readers that look
// at large stretches of a record at once (under Wine every read is a trip through its
// server). Reads what ReadFileChunks reads.
void ReadFileBlocks(const char* name, BlockTarget& target);

// The named file's bytes whole, read in large pieces into room sized for the file, for
// the readers that walk a record as a whole. Up to the first read that delivers nothing;
// empty where ReadFileChunks reads nothing.
std::string ReadWholeFile(const char* name);

// An output file that replaces its target only when every write succeeded. A target that
// is a link is followed: the file it names is the one replaced, and the link stays. Bytes
// go to a new temporary file in that file's folder; Commit puts it in place of the file,
// keeping what the system can keep of the replaced file (Win32: attributes, ACL and
// creation time; POSIX: permissions). Destroying an uncommitted file removes the
// temporary file.
class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Creates the temporary file beside target; false when it cannot be created, or when
  // target is a file that is not to be replaced (read-only; on Win32 also hidden or
  // system, a device or a pipe, or a link whose final path leads to another file), and
  // then nothing is written.
  bool Create(const char* target);
  // Writes size bytes; false when the write failed or wrote fewer bytes. Once a write
  // has failed, every later one fails too.
  bool Write(const void* bytes, std::size_t size);
  // Closes the temporary file and puts it in place of the target; false on any failure,
  // after which the temporary file is gone and the target is as it was. (One exception
  // on Win32: should the system have begun to take the old file away and then every way
  // of putting the new one in its place fail, the temporary file is kept, as what may be
  // the only copy. On POSIX, a folder that cannot be synced after the move fails the
  // save, the file in place.)
  bool Commit();
  // After a Commit that kept the temporary file (Win32): how the user finds it, in UTF-8.
  // Its full path, or, where that cannot be written in UTF-8, its name alone
  // ("~tavune-<pid>-<n>.tmp"), in the folder of the file being saved. Empty otherwise.
  const std::string& KeptCopy() const { return keptCopy_; }

 private:
  void Abandon();

  void* handle_ = nullptr;  // HANDLE or a file descriptor, by implementation
  NativeName target_;
  NativeName temporary_;
  std::string keptCopy_;
  bool targetExists_ = false;  // Create found a file to replace
  bool failed_ = false;
};

}  // namespace platform
