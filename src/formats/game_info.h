#pragma once
#include <string>

// The game information of one game as its record gives it, decoded to UTF-8. A field the
// record does not have is empty.
struct GameInfo {
  std::string blackName;    // PB
  std::string blackRank;    // BR
  std::string whiteName;    // PW
  std::string whiteRank;    // WR
  std::string result;       // RE, as written
  std::string komi;         // KM, as written
  std::string handicap;     // HA, as written
  std::string date;         // DT
  std::string event;        // EV
  std::string round;        // RO
  std::string gameName;     // GN
  std::string place;        // PC
  std::string gameComment;  // GC; line breaks are "\n"
};
