#include "platform/record_file_io.h"
#include "record/game_record.h"

bool Position::WriteMoveLine(platform::OutputFile& file) const {
  char line[] = "B[aa];\r\n";
  const Stone stone = At(lastX, lastY);
  line[0] = stone == Black ? 'B' : stone == White ? 'W' : 'E';
  line[2] = static_cast<char>('a' + lastX);
  line[3] = static_cast<char>('a' + lastY);
  return file.Write(line, 8);
}

void GameRecord::WriteSgf(const char* path) {
  platform::OutputFile file;
  bool written = file.Create(path);
  if (written) {
    // Each piece is its own write. After a failed one the rest fail too, and the
    // target is left alone.
    written = file.Write("(;\r\n", 4);
    const int length = LineLength();
    for (int i = 1; i < length; ++i) written = LinePositionAt(i).WriteMoveLine(file) && written;
    written = file.Write(")\r\n", 3) && written;
    written = file.Commit() && written;
  }
  if (!written && views_ != nullptr) views_->ReportSaveFailure(file.KeptCopy().c_str());
}
