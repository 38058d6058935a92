#pragma once
#include <cstddef>
#include <string>
#include <vector>

// One game of an SGF collection as its list shows it, decoded to UTF-8 and worded as the
// information pane words it. A field the game's root does not have is empty.
struct GameSummary {
  std::string black;   // "井山裕太 九段"
  std::string white;
  std::string date;
  std::string event;   // the event, then the round
  std::string result;  // in words: "黒中押し勝ち"
};

// The games of the named SGF file, one per game tree at its top level, in file order.
// Empty when the file cannot be read or holds no game tree.
std::vector<GameSummary> ListSgfGames(const char* fileName);
