// Main-line reading over arbitrary bytes: the list of games, then every game of it read
// along its main line with its notes, and one game past the last. No crash, no read
// outside the text, and every main line a sound record.
#include <cstddef>
#include <cstdint>

#include "formats/record_notes.h"
#include "formats/sgf_game_list.h"
#include "fuzz_record_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzz_check::WrittenToFile(data, size, "input.sgf");
  const std::size_t games = ListSgfGames(path.c_str()).size();
  static PositionPool pool;
  RecordNotes notes;
  for (std::size_t game = 0; game <= games; ++game) {
    ReadOptions options;
    options.notes = true;
    options.mainLineOnly = true;
    options.game = static_cast<int>(game);
    PositionAt(pool, 0).Clear();
    const int count = ReadRecordFile(pool, path.c_str(), options, &notes);
    if (count < 1 || static_cast<std::size_t>(count) > size + 1) std::abort();
    // Past the last game, and in a text of games, nothing reaches the board.
    if (game == games && games > 0 && count != 1) std::abort();
    fuzz_check::ExpectSoundPosition(*pool[static_cast<std::size_t>(count) - 1], count);
  }
  return 0;
}
