// Main-line reading over arbitrary bytes: the list of games, then its first games, its last
// and one past the last (which reads nothing), each read along its main line with its notes.
// Not every game: an input of many empty games would be read hundreds of times over.
#include <cstdint>

#include "formats/record_notes.h"
#include "formats/sgf_game_list.h"
#include "fuzz_record_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& path = fuzz_check::WrittenInput(data, size, "input.sgf");
  const int games = static_cast<int>(ListSgfGames(path.c_str()).size());
  static PositionPool pool;
  RecordNotes notes;
  for (int game = 0; game <= games; game = (game < 3 || game >= games - 1) ? game + 1 : games - 1) {
    PositionAt(pool, 0).Clear();
    const int count = ReadRecordFile(pool, path.c_str(), ReadOptions{true, true, game}, &notes);
    if (count < 1 || static_cast<std::size_t>(count) > size + 1) std::abort();
    if (game == games && games > 0 && count != 1) std::abort();
    fuzz_check::ExpectSoundPosition(*pool[static_cast<std::size_t>(count) - 1], count);
  }
  return 0;
}
