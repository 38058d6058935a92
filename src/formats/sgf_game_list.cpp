#include "formats/sgf_game_list.h"

#include "formats/game_info_words.h"
#include "formats/noted_reading.h"
#include "formats/sgf_walk.h"
#include "formats/text_charset.h"
#include "platform/text_codec.h"

namespace {

// "井山裕太 九段": the player's words without the colour's.
std::string NameAndRank(bool black, const std::string& name, const std::string& rank) {
  const std::string words = PlayerInWords(black, name, rank);
  const std::size_t blank = words.find(' ');
  return blank == std::string::npos ? std::string() : words.substr(blank + 1);
}

}  // namespace

std::vector<GameSummary> ListSgfGames(const char* fileName) {
  std::string bytes = FileBytes(fileName);
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t markLength = 0;
  const int marked = CodePageOfByteOrderMark(data, bytes.size(), &markLength);
  if (marked == kUtf16LittleCodePage || marked == kUtf16BigCodePage) {
    bytes = Utf8OfUtf16(data + markLength, bytes.size() - markLength, marked);
    data = reinterpret_cast<const unsigned char*>(bytes.data());
  }
  const int codePage = marked == kUtf16LittleCodePage || marked == kUtf16BigCodePage
                           ? kUtf8CodePage
                           : ChooseCodePage(data, bytes.size(), NamedCodePage(data, bytes.size()),
                                            platform::CodePageExists);
  const LeadBytes leads(codePage);
  std::vector<GameSummary> games;
  WalkGameRoots(data, bytes.size(), leads, [&](const RootValues& values) {
    RootValues listed = values;
    // The list shows no game comment: it may be long, and is not decoded for nothing.
    listed.present[static_cast<std::size_t>(InfoField::kGameComment)] = false;
    const GameInfo info = InfoOfRoot(listed, data, leads, codePage);
    GameSummary game;
    game.black = NameAndRank(true, info.blackName, info.blackRank);
    game.white = NameAndRank(false, info.whiteName, info.whiteRank);
    game.date = info.date;
    game.event = info.event;
    if (!info.round.empty()) game.event += (game.event.empty() ? "" : " ") + info.round;
    if (!info.result.empty()) game.result = ResultInWords(info.result);
    games.push_back(std::move(game));
  });
  return games;
}
