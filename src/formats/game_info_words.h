#pragma once
#include <string>
#include <vector>

#include "formats/game_info.h"

// The game information in the words Japanese players use, in UTF-8.

// "B+R" is "黒中押し勝ち", "W+2.5" "白2目半勝ち", "B+T" "黒時間切れ勝ち", "W+F"
// "白反則勝ち", "0" and "Draw" "持碁", "Void" "無勝負"; a value that fits none of
// these comes back as written.
std::string ResultInWords(const std::string& result);
// "6.5" is "コミ6目半", "0" "コミなし"; another value is "コミ" and the value as written.
std::string KomiInWords(const std::string& komi);
// "2" is "2子局"; "0" and "1" are no handicap (""); another value comes back as written.
std::string HandicapInWords(const std::string& handicap);
// "黒 井山裕太 九段": the colour's word, the name and the rank, each only when given;
// "" when the record names neither.
std::string PlayerInWords(bool black, const std::string& name, const std::string& rank);
// The lines that describe the game, in the order the information pane shows them; only
// what the record has.
std::vector<std::string> GameInfoLines(const GameInfo& info);
