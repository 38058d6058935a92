#include "formats/game_info_words.h"

#include <cstdlib>

namespace {

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

bool IsDigits(const std::string& text) {
  if (text.empty() || text.size() > 6) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// "2.5" in points as Japanese players say it: "2目半"; "0.5" is "半目". Whole and half
// points only; false for anything else.
bool PointsInWords(const std::string& number, std::string* words) {
  const std::size_t dot = number.find('.');
  const std::string whole = number.substr(0, dot);
  std::string fraction = dot == std::string::npos ? std::string() : number.substr(dot + 1);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!IsDigits(whole) || (!fraction.empty() && fraction != "5")) return false;
  const int points = std::atoi(whole.c_str());
  if (fraction.empty()) {
    *words = std::to_string(points) + "目";
  } else {
    *words = points == 0 ? "半目" : std::to_string(points) + "目半";
  }
  return true;
}

const char* const kKanjiDigits[] = {"", "一", "二", "三", "四", "五", "六", "七", "八", "九"};

// "9d", "9p", "9-dan" and "9 dan" are "九段"; "3k" and "3-kyu" are "3級"; anything else
// stays as written.
std::string RankInWords(const std::string& rank) {
  const std::string lower = Lower(Trimmed(rank));
  std::size_t digits = 0;
  while (digits < lower.size() && lower[digits] >= '0' && lower[digits] <= '9') ++digits;
  if (digits == 0 || digits > 2) return rank;
  const int number = std::atoi(lower.substr(0, digits).c_str());
  std::string unit = lower.substr(digits);
  if (!unit.empty() && (unit[0] == '-' || unit[0] == ' ')) unit.erase(0, 1);
  if (unit == "d" || unit == "dan" || unit == "p" || unit == "pro") {
    if (number >= 1 && number <= 9) return std::string(kKanjiDigits[number]) + "段";
    return std::to_string(number) + "段";
  }
  if (unit == "k" || unit == "kyu") return std::to_string(number) + "級";
  return rank;
}

}  // namespace

std::string ResultInWords(const std::string& result) {
  const std::string value = Trimmed(result);
  const std::string lower = Lower(value);
  if (lower == "0" || lower == "draw" || lower == "jigo") return "持碁";
  if (lower == "void") return "無勝負";
  if (lower == "?") return "結果不明";
  if (lower.size() < 2 || (lower[0] != 'b' && lower[0] != 'w') || lower[1] != '+') return result;
  const std::string winner = lower[0] == 'b' ? "黒" : "白";
  const std::string how = lower.substr(2);
  if (how.empty()) return winner + "勝ち";
  if (how == "r" || how == "resign") return winner + "中押し勝ち";
  if (how == "t" || how == "time") return winner + "時間切れ勝ち";
  if (how == "f" || how == "forfeit") return winner + "反則勝ち";
  std::string points;
  if (PointsInWords(how, &points)) return winner + points + "勝ち";
  return result;
}

std::string KomiInWords(const std::string& komi) {
  std::string value = Trimmed(komi);
  const bool reverse = !value.empty() && value[0] == '-';
  if (reverse) value.erase(0, 1);
  std::string points;
  if (!PointsInWords(value, &points)) return "コミ" + Trimmed(komi);
  if (points == "0目") return "コミなし";
  return (reverse ? "逆コミ" : "コミ") + points;
}

std::string HandicapInWords(const std::string& handicap) {
  const std::string value = Trimmed(handicap);
  if (!IsDigits(value)) return value.empty() ? std::string() : "置き石 " + value;
  const int stones = std::atoi(value.c_str());
  return stones < 2 ? std::string() : std::to_string(stones) + "子局";
}

std::string PlayerInWords(bool black, const std::string& name, const std::string& rank) {
  if (name.empty() && rank.empty()) return std::string();
  std::string words = black ? "黒" : "白";
  if (!name.empty()) words += " " + name;
  if (!rank.empty()) words += " " + RankInWords(rank);
  return words;
}

std::vector<std::string> GameInfoLines(const GameInfo& info) {
  std::vector<std::string> lines;
  auto add = [&lines](const std::string& line) {
    if (!line.empty()) lines.push_back(line);
  };
  auto labelled = [&add](const char* label, const std::string& value) {
    if (!value.empty()) add(label + value);
  };
  add(PlayerInWords(true, info.blackName, info.blackRank));
  add(PlayerInWords(false, info.whiteName, info.whiteRank));
  labelled("結果 ", info.result.empty() ? std::string() : ResultInWords(info.result));
  add(HandicapInWords(info.handicap));
  if (!info.komi.empty()) add(KomiInWords(info.komi));
  labelled("日付 ", info.date);
  std::string event = info.event;
  if (!info.round.empty()) event += (event.empty() ? "" : " ") + info.round;
  labelled("棋戦 ", event);
  labelled("対局名 ", info.gameName);
  labelled("場所 ", info.place);
  return lines;
}
