// The notes over arbitrary bytes: the text rules and the decoder never crash, a record
// read with its notes has exactly the Positions it has without them, the notes' filter
// keeps what the plain one keeps, and the walk through the comments alone finds what the
// walk through every node finds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "formats/read_text.h"
#include "formats/record_notes.h"
#include "formats/seeing_filter.h"
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
  // Given every "C", as the reader gives them, it passes over those not before a "[".
  std::vector<std::size_t> letters;
  for (std::size_t i = 0; i < size; ++i) {
    if (text[i] == 'C') letters.push_back(i);
  }
  CommentedNodeWalker walker;
  std::vector<std::size_t> arrived;
  for (std::size_t available = 1; available < size; available += 7) {
    while (arrived.size() < letters.size() && letters[arrived.size()] < available) {
      arrived.push_back(letters[arrived.size()]);
    }
    walker.Walk(text, available, arrived);
  }
  const SgfWalk streamed = walker.Finish(text, size, letters);
  ExpectSameComments(all, commented);
  ExpectSameComments(all, streamed);
  for (std::size_t f = 0; f < all.root.present.size(); ++f) {
    if (all.root.present[f] != commented.root.present[f]) std::abort();
    if (all.root.present[f] && all.root.ranges[f].begin != commented.root.ranges[f].begin) std::abort();
  }
}

// The notes' filter, sixteen bytes at a time and byte by byte, in pieces of every length
// up to 40, keeps what the plain filter keeps and sees every "C", "E", "\\" and high byte.
void ExpectSameFilter(const unsigned char* text, std::size_t size) {
  std::string plain(size, '\0');
  plain.resize(KeepSgfBytes(&plain[0], text, size));
  FilterSights expected;
  for (std::size_t i = 0, kept = 0; i < size; kept += kKept.kept[text[i++]]) {
    if (i % FilterSights::kMarkEvery == 0) expected.keptAt.push_back(kept);
    if (text[i] == 'C') expected.cs.push_back(i);
    if (text[i] == 'E') expected.es.push_back(i);
    expected.backslash = expected.backslash || text[i] == '\\';
    expected.highBytes = expected.highBytes || text[i] >= 0x80;
  }
  for (const bool wide : {true, false}) {
    std::string kept(size + 16, '\0');
    FilterSights seen;
    std::size_t count = 0;
    for (std::size_t from = 0, piece = 1; from < size; from += piece, piece = piece % 40 + 1) {
      const std::size_t end = std::min(size, from + piece);
      count += KeepSgfBytesSeeing(&kept[count], text, from, end, count, &seen, wide);
    }
    if (kept.substr(0, count) != plain || seen.cs != expected.cs || seen.es != expected.es ||
        seen.keptAt != expected.keptAt || seen.backslash != expected.backslash ||
        seen.highBytes != expected.highBytes) {
      std::abort();
    }
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
  ExpectSameFilter(data, size);
  ExpectNotedReadKeepsTheBoard(data, size);
  return 0;
}
