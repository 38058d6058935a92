// The notes of a Panda Net UGF record: the game information of its [Header] section and
// the comments of its [Figure] section (".Text,N" up to ".EndText" is the comment on
// move N), read from code page 932 unless the text is UTF-8.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "formats/noted_reading.h"
#include "formats/record_text_decode.h"
#include "formats/text_charset.h"

namespace {

// The text's lines, each without its line break (CR LF, LF or CR).
std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      if (start < text.size()) lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

// The comma-separated fields of a header value.
std::vector<std::string> FieldsOf(const std::string& value) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = value.find(',', start);
    fields.push_back(value.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (comma == std::string::npos) return fields;
    start = comma + 1;
  }
}

std::string Field(const std::vector<std::string>& fields, std::size_t i) {
  return i < fields.size() ? fields[i] : std::string();
}

// "B,1.5" is "B+1.5", "W,C" (chuoshi) and "W,R" "W+R", "B,T" "B+T", "B,F" "B+F"; a draw
// "0"; anything else as written.
std::string ResultOfWinner(const std::string& value) {
  const std::vector<std::string> fields = FieldsOf(value);
  const std::string winner = Field(fields, 0);
  std::string how = Field(fields, 1);
  if (winner == "D" || winner == "J" || winner == "0") return "0";
  if (winner != "B" && winner != "W") return value;
  if (how == "C") how = "R";
  return winner + "+" + how;
}

// Fills info from one "Name=value" line of the header, in the text's bytes.
void TakeHeaderLine(const std::string& line, int codePage, GameInfo* info) {
  const std::size_t equals = line.find('=');
  if (equals == std::string::npos) return;
  const std::string name = line.substr(0, equals);
  const std::string value = Utf8OfRecordText(codePage, line.substr(equals + 1));
  const std::vector<std::string> fields = FieldsOf(value);
  if (name == "PlayerB" || name == "PlayerW") {
    const bool black = name == "PlayerB";
    (black ? info->blackName : info->whiteName) = Field(fields, 0);
    (black ? info->blackRank : info->whiteRank) = Field(fields, 1);
  } else if (name == "Winner") {
    info->result = ResultOfWinner(value);
  } else if (name == "Hdcp") {
    info->handicap = Field(fields, 0);
    info->komi = Field(fields, 1);
  } else if (name == "Date") {
    info->date = Field(fields, 0);
  } else if (name == "Title") {
    std::string title;
    for (const std::string& part : fields) {
      if (!part.empty()) title += (title.empty() ? "" : " ") + part;
    }
    info->event = title;
  } else if (name == "Place") {
    info->place = value;
  } else if (name == "Comment") {
    info->gameComment = value;
  }
}

bool IsSection(const std::string& line) { return !line.empty() && line[0] == '['; }

// The Position that move `move` (1 for the first data line's stone) stands for: the last
// Position made by a stone up to it.
int PositionOfMove(int move, const std::vector<std::int32_t>& madeBy) {
  return static_cast<int>(std::upper_bound(madeBy.begin(), madeBy.end(), move - 1) - madeBy.begin());
}

}  // namespace

int ReadUgfNoted(PositionPool& mainLine, const char* cleanedName, const ReadOptions& options,
                 RecordNotes* notes) {
  ReadText& bytes = notes->Bytes();
  ReadFileInto(cleanedName, &bytes);
  const std::string text(reinterpret_cast<const char*>(bytes.Data()), bytes.Size());
  const MoveCodeList codes = ScanUgfText(text);
  std::vector<std::int32_t> madeBy;
  const int count = ReplayMoveCodes(mainLine, codes, &madeBy);
  if (!options.notes) return count;

  const auto* data = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t markLength = 0;
  int codePage = CodePageOfByteOrderMark(data, text.size(), &markLength);
  if (codePage != kUtf8CodePage) codePage = IsUtf8(data, text.size()) ? kUtf8CodePage : kShiftJisCodePage;
  notes->Begin(codePage, false);
  // Every data line's stone is one move.
  std::vector<std::int32_t> numbers(1, 0);
  for (const std::int32_t code : madeBy) numbers.push_back(code + 1);
  notes->SetMoveNumbers(std::move(numbers), static_cast<int>(codes.size()));

  std::string section;
  int commentMove = -1;  // the move whose comment is being read, or -1
  std::string comment;
  for (const std::string& line : LinesOf(text.substr(markLength))) {
    if (commentMove >= 0) {
      if (line.compare(0, 8, ".EndText") != 0) {
        comment += (comment.empty() ? "" : "\n") + line;
        continue;
      }
      notes->AddCommentText(PositionOfMove(commentMove, madeBy), comment);
      commentMove = -1;
      comment.clear();
      continue;
    }
    if (IsSection(line)) {
      section = line;
    } else if (section == "[Header]") {
      TakeHeaderLine(line, codePage, &notes->MutableInfo());
    } else if (section == "[Figure]" && line.compare(0, 6, ".Text,") == 0) {
      commentMove = std::atoi(line.c_str() + 6);
      if (commentMove < 0) commentMove = 0;
    }
  }
  return count;
}
