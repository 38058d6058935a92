#include "app/game_rows.h"

#include <algorithm>

namespace {

// UTF-8 puts no byte below 0x80 inside a character, so folding ASCII alone is safe.
char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool Holds(const std::string& text, const std::string& foldedFilter) {
  return foldedFilter.empty() || std::search(text.begin(), text.end(), foldedFilter.begin(), foldedFilter.end(),
                     [](char t, char f) { return FoldAscii(t) == f; }) != text.end();
}

// The summary's field shown in column; nullptr for the number column.
const std::string* FieldOf(const GameSummary& game, int column) {
  switch (column) {
    case kBlackColumn: return &game.black;
    case kWhiteColumn: return &game.white;
    case kDateColumn: return &game.date;
    case kEventColumn: return &game.event;
    case kResultColumn: return &game.result;
    default: return nullptr;
  }
}

}  // namespace

std::string GameColumnText(const std::vector<GameSummary>& games, int index, int column) {
  if (column == kNumberColumn) return std::to_string(index + 1);
  const std::string* field = FieldOf(games[static_cast<std::size_t>(index)], column);
  return field != nullptr ? *field : std::string();
}

std::vector<int> GamesMatching(const std::vector<GameSummary>& games, const std::string& filter) {
  std::string folded = filter;
  std::transform(folded.begin(), folded.end(), folded.begin(), FoldAscii);
  std::vector<int> rows;
  rows.reserve(games.size());
  for (int index = 0; index < static_cast<int>(games.size()); ++index) {
    bool held = Holds(std::to_string(index + 1), folded);
    for (int column = kBlackColumn; column < kGameColumnCount && !held; ++column) {
      held = Holds(*FieldOf(games[static_cast<std::size_t>(index)], column), folded);
    }
    if (held) rows.push_back(index);
  }
  return rows;
}
