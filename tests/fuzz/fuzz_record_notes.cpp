// The notes over arbitrary bytes: the text rules and the decoder never crash, a record
// read with its notes has exactly the Positions it has without them, and the walk through
// the comments alone finds what the walk through every node finds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "formats/record_notes.h"
#include "formats/sgf_game_list.h"
#include "formats/sgf_text_value.h"
#include "formats/sgf_walk.h"
#include "fuzz_record_check.h"
#include "record/game_record.h"

namespace {

void ExpectSameComments(const SgfWalk& all, const SgfWalk& walk) {
  if (all.comments.size() != walk.comments.size()) std::abort();
  for (std::size_t i = 0; i < all.comments.size(); ++i) {
    const SgfWalk::Comment& a = all.comments[i];
    const SgfWalk::Comment& c = walk.comments[i];
    if (a.nodeEnd != c.nodeEnd || a.atStart != c.atStart || a.value.begin != c.value.begin ||
        a.value.end != c.value.end) {
      std::abort();
    }
  }
}

void ExpectSameWalks(const unsigned char* text, std::size_t size) {
  if (std::memchr(text, '\\', size) != nullptr) return;
  std::vector<std::size_t> candidates;
  for (std::size_t i = 0; i + 1 < size; ++i) {
    if (text[i] == 'C' && text[i + 1] == '[') candidates.push_back(i);
  }
  const SgfWalk all = WalkAllNodes(text, size, LeadBytes(0));
  const SgfWalk commented = WalkCommentedNodes(text, size, candidates);
  // Walked as the text arrives, a few bytes at a time, with the candidates found so far.
  CommentedNodeWalker walker;
  std::vector<std::size_t> arrived;
  for (std::size_t available = 1; available < size; available += 7) {
    while (arrived.size() < candidates.size() && candidates[arrived.size()] + 1 < available) {
      arrived.push_back(candidates[arrived.size()]);
    }
    walker.Walk(text, available, arrived);
  }
  const SgfWalk streamed = walker.Finish(text, size, candidates);
  ExpectSameComments(all, commented);
  ExpectSameComments(all, streamed);
  for (std::size_t f = 0; f < all.root.present.size(); ++f) {
    if (all.root.present[f] != commented.root.present[f]) std::abort();
    if (all.root.present[f] && all.root.ranges[f].begin != commented.root.ranges[f].begin) std::abort();
  }
}

void ExpectNotedReadKeepsTheBoard(const std::uint8_t* data, std::size_t size) {
  const std::string& path = fuzz_check::WrittenInput(data, size, "input.sgf");
  static GameRecord plain;
  static GameRecord noted;
  plain.Load(path.c_str());
  ReadOptions options;
  options.notes = true;
  noted.Load(path.c_str(), options);
  if (plain.mainCount != noted.mainCount) std::abort();
  for (int i = 0; i < plain.mainCount; ++i) {
    if (std::memcmp(plain.mainLine[i].get(), noted.mainLine[i].get(), sizeof(Position)) != 0) std::abort();
    // Decoding each comment must not crash; its length is bounded by the bytes.
    if (noted.Notes().CommentAt(i).size() > 4 * size + 16) std::abort();
    if (noted.Notes().MoveNumberAt(i) < 0) std::abort();
  }
  // The main line of the first games, and the list of games, read whatever the bytes.
  for (int game = 0; game < 2; ++game) {
    options.mainLineOnly = true;
    options.game = game;
    noted.Load(path.c_str(), options);
    if (noted.mainCount < 1) std::abort();
  }
  ListSgfGames(path.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const LeadBytes shiftJis(932);
  const std::string text = SgfTextOf(data, size, shiftJis, false);
  if (text.size() > size) std::abort();
  if (SgfValueEnd(data, size, 0, shiftJis) > size) std::abort();
  ExpectSameWalks(data, size);
  ExpectNotedReadKeepsTheBoard(data, size);
  return 0;
}
