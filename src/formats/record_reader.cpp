#include "formats/record_reader.h"

#include <cstring>

#include "formats/file_name.h"
#include "formats/noted_reading.h"
#include "formats/record_notes.h"

namespace {

// ASCII only: the name is UTF-8, whose bytes above 0x7F are never these letters.
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EndsWithLetters(const char* name, std::size_t length, const char* letters) {
  const char* tail = name + length - 3;
  for (int i = 0; i < 3; ++i) {
    if (AsciiLower(tail[i]) != letters[i]) return false;
  }
  return true;
}

}  // namespace

bool IsSgfName(const char* cleanedName) {
  const std::size_t length = std::strlen(cleanedName);
  return length > 3 && EndsWithLetters(cleanedName, length, "sgf");
}

int ReadRecordFile(PositionPool& mainLine, const char* fileName) {
  return ReadRecordFile(mainLine, fileName, ReadOptions{}, nullptr);
}

int ReadRecordFile(PositionPool& mainLine, const char* fileName, const ReadOptions& options,
                   RecordNotes* notes) {
  if (notes != nullptr) notes->Clear();
  char cleaned[kFileNameCapacity];
  if (!CleanFileName(cleaned, fileName)) return 1;
  const std::size_t length = std::strlen(cleaned);
  if (length <= 3) return 1;
  // Without notes and read whole, a record reads exactly as it always has.
  const bool plain = notes == nullptr || (!options.notes && !options.mainLineOnly);
  // No dot is needed: "xsgf" is read as SGF.
  if (IsSgfName(cleaned)) {
    return plain ? ReadSgf(mainLine, cleaned) : ReadSgfNoted(mainLine, cleaned, options, notes);
  }
  if (EndsWithLetters(cleaned, length, "ugf")) {
    return plain || !options.notes ? ReadUgf(mainLine, cleaned)
                                   : ReadUgfNoted(mainLine, cleaned, options, notes);
  }
  return 1;
}
