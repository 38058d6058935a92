#pragma once
// Checks shared by the reader fuzzers: what every MoveCode list and every replayed main
// line must satisfy, whatever bytes they came from.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <fcntl.h>
#include <unistd.h>

#include "formats/move_code.h"
#include "formats/record_reader.h"

namespace fuzz_check {

// Aborts (a finding) unless every code is a colour 0..2 at a point inside the board.
inline void ExpectValidCodes(const MoveCodeList& codes) {
  for (const MoveCode code : codes) {
    const int colour = code / 10000;
    const int x = code / 100 % 100;
    const int y = code % 100;
    if (code < 0 || colour > 2 || x > 18 || y > 18) std::abort();
  }
}

// Aborts unless the last Position of a main line of count Positions holds only stones
// and empty points, and, after a move, names a last point on the board.
inline void ExpectSoundPosition(const Position& last, int count) {
  for (const Stone cell : last.cells) {
    if (cell != Empty && cell != Black && cell != White) std::abort();
  }
  if (count > 1 && (last.lastX < 0 || last.lastX > 18 || last.lastY < 0 || last.lastY > 18)) {
    std::abort();
  }
}

// Replays codes into a pool kept from input to input, so that shorter records follow
// longer ones as they do in the program, and checks what came out. Returns the pool; its
// first *count Positions are the main line.
inline const PositionPool& ExpectSoundReplay(const MoveCodeList& codes, int* count) {
  static PositionPool pool;
  PositionAt(pool, 0).Clear();
  *count = ReplayMoveCodes(pool, codes);
  if (*count < 1 || static_cast<std::size_t>(*count) > codes.size() + 1) std::abort();
  if (pool.size() < static_cast<std::size_t>(*count)) std::abort();
  ExpectSoundPosition(*pool[static_cast<std::size_t>(*count) - 1], *count);
  return pool;
}

// Writes the bytes to name in a private folder under TMPDIR (the current folder may hold
// such a file) and returns the file's path. A file the machine cannot write (a full disk)
// is no finding: exit code 2, and no crash file.
inline const std::string& WrittenInput(const std::uint8_t* data, std::size_t size, const char* name) {
  static std::string path;
  // One descriptor, rewritten for each input: an open and a close per input took a third
  // of the time.
  static int descriptor = -1;
  const auto stop = [](const char* what, const std::string& where) {
    std::fprintf(stderr, "fuzz: cannot %s %s: %s\n", what, where.c_str(), std::strerror(errno));
    std::_Exit(2);
  };
  if (path.empty()) {
    const char* base = std::getenv("TMPDIR");
    const std::string asked = std::string(base != nullptr ? base : "/tmp") + "/tavune-fuzz-XXXXXX";
    path = asked;
    // A failed mkdtemp may leave its own letters in path: the message names what was asked.
    if (mkdtemp(&path[0]) == nullptr) stop("make the folder", asked);
    path += std::string("/") + name;
    descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (descriptor < 0) stop("create", path);
  }
  if (ftruncate(descriptor, static_cast<off_t>(size)) != 0 ||
      pwrite(descriptor, data, size, 0) != static_cast<ssize_t>(size)) {
    stop("write", path);
  }
  return path;
}

// Loads the bytes as the program does (chunked read, growing text, reader by the name's
// end): the main line must be, Position for Position, the replayed one.
inline void ExpectFileReadAsReplayed(const std::uint8_t* data, std::size_t size,
                                     const char* name, const PositionPool& replayed, int count) {
  const std::string& path = WrittenInput(data, size, name);
  static PositionPool read;
  PositionAt(read, 0).Clear();
  if (ReadRecordFile(read, path.c_str()) != count) std::abort();
  for (int i = 0; i < count; ++i) {  // Positions are made zeroed, padding included
    if (std::memcmp(replayed[i].get(), read[i].get(), sizeof(Position)) != 0) std::abort();
  }
}

}  // namespace fuzz_check
