#pragma once
#include <string>
#include <vector>

#include "formats/sgf_game_list.h"

// The columns of the game list, left to right.
enum GameColumn { kNumberColumn, kBlackColumn, kWhiteColumn, kDateColumn, kEventColumn,
                  kResultColumn, kGameColumnCount };

// The text the list shows for game `index` (0-based) in column, in UTF-8: its number
// from 1 in the first column, else the summary's field.
std::string GameColumnText(const std::vector<GameSummary>& games, int index, int column);

// The games whose row holds filter in some column, as indices in file order; letters of
// ASCII match in either case. Every game for an empty filter.
std::vector<int> GamesMatching(const std::vector<GameSummary>& games, const std::string& filter);
