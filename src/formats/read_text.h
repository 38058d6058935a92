#pragma once
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>

// The text a reader builds from a file's bytes: the SGF reader keeps all bytes but line
// feeds, carriage returns, "(", ")" and ";", wherever they stand; its notes read the
// bytes whole.

// 1 for the bytes the SGF text keeps, 0 for those it never keeps: line feed, carriage
// return, "(", ")" and ";".
struct KeptBytes {
  unsigned char kept[256] = {};
  constexpr KeptBytes() {
    for (unsigned char& k : kept) k = 1;
    kept[10] = kept[13] = kept[40] = kept[41] = kept[59] = 0;
  }
};
constexpr KeptBytes kKept;

// Writes the kept bytes of bytes[0, size) to out, which has room for size bytes, and
// returns their count. Every byte is stored and the count only grows for kept ones, so
// there is no branch per byte.
inline std::size_t KeepSgfBytes(char* out, const unsigned char* bytes, std::size_t size) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < size; ++i) {
    out[count] = static_cast<char>(bytes[i]);
    count += kKept.kept[bytes[i]];
  }
  return count;
}

// Sixteen bytes as one value: the compiler makes each operation on it one instruction.
using ByteLanes = unsigned char __attribute__((vector_size(16)));

inline ByteLanes LanesOf(unsigned char byte) {
  ByteLanes lanes;
  std::memset(&lanes, byte, sizeof lanes);
  return lanes;
}

// The number of bytes of bytes[0, size) that the SGF text keeps. Sixteen at a time: each
// lane counts the bytes it drops, up to 255 stretches before they are added up.
inline std::size_t KeptCount(const unsigned char* bytes, std::size_t size) {
  const ByteLanes lf = LanesOf('\n'), cr = LanesOf('\r'), open = LanesOf('('),
                  close = LanesOf(')'), semicolon = LanesOf(';');
  std::size_t count = 0;
  std::size_t i = 0;
  while (size - i >= 16) {
    const std::size_t stretches = (size - i) / 16 < 255 ? (size - i) / 16 : 255;
    ByteLanes dropped{};
    for (std::size_t k = 0; k < stretches; ++k, i += 16) {
      ByteLanes v;
      std::memcpy(&v, bytes + i, sizeof v);
      // A lane that matches is all ones: taking it away adds one.
      dropped -= reinterpret_cast<ByteLanes>((v == lf) | (v == cr) | (v == open) | (v == close) |
                                             (v == semicolon));
    }
    unsigned char lanes[16];
    std::memcpy(lanes, &dropped, sizeof lanes);
    count += 16 * stretches;
    for (const unsigned char lane : lanes) count -= lane;
  }
  for (; i < size; ++i) count += kKept.kept[bytes[i]];
  return count;
}

// The text's first capacity. The fuzz build starts it small, so that short inputs make it
// grow as a large file does.
#ifndef TAVUNE_SGF_FIRST_CAPACITY
#define TAVUNE_SGF_FIRST_CAPACITY 4096
#endif
constexpr std::size_t kFirstCapacity = TAVUNE_SGF_FIRST_CAPACITY;

// A text as it is read. It grows with realloc, which extends a large block in place or
// moves its pages without copying them; a std::string would copy the text into fresh
// memory at every doubling, and for a large file that copying and the page faults it
// brings cost more than the filter itself.
class ReadText {
 public:
  ReadText() = default;
  ReadText(const ReadText&) = delete;
  ReadText& operator=(const ReadText&) = delete;
  ~ReadText() { std::free(bytes_); }

  // Appends the kept bytes of bytes[0, size).
  void AppendKept(const unsigned char* bytes, std::size_t size) {
    if (capacity_ - size_ < size) Grow(size_ + size);
    size_ += KeepSgfBytes(bytes_ + size_, bytes, size);
  }
  // Appends bytes[0, size) whole.
  void Append(const unsigned char* bytes, std::size_t size) {
    if (size == 0) return;
    if (capacity_ - size_ < size) Grow(size_ + size);
    std::memcpy(bytes_ + size_, bytes, size);
    size_ += size;
  }
  // Room for size more bytes at the end, for a read to write into before Filled.
  unsigned char* Room(std::size_t size) {
    if (capacity_ - size_ < size) Grow(size_ + size);
    return reinterpret_cast<unsigned char*>(bytes_ + size_);
  }
  // Takes the size bytes just written into Room as part of the text.
  void Filled(std::size_t size) { size_ += size; }
  // Empties the text and keeps its memory for the next one.
  void Clear() { size_ = 0; }
  // Makes room for size bytes in all, so that appending up to them never moves the text.
  void Reserve(std::size_t size) {
    if (capacity_ < size) Grow(size);
  }
  // The text so far; null while it is empty.
  const unsigned char* Data() const { return reinterpret_cast<const unsigned char*>(bytes_); }
  // Its length in bytes.
  std::size_t Size() const { return size_; }

 private:
  void Grow(std::size_t needed) {
    std::size_t capacity = capacity_ < kFirstCapacity ? kFirstCapacity : capacity_;
    while (capacity < needed) capacity *= 2;
    void* grown = std::realloc(bytes_, capacity);
    if (grown == nullptr) throw std::bad_alloc();
    bytes_ = static_cast<char*>(grown);
    capacity_ = capacity;
  }

  char* bytes_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};
