#include "view/info_pane_texts.h"

#include "formats/game_info_words.h"
#include "platform/utf16.h"
#include "record/game_record.h"

namespace {

// text with each "\n" made "\r\n", in UTF-16; "" when it is no UTF-8.
std::wstring EditTextOf(const std::string& text) {
  std::string lines;
  lines.reserve(text.size() + text.size() / 16);
  for (const char c : text) {
    if (c == '\n') lines += '\r';
    lines += c;
  }
  std::wstring wide;
  return platform::Utf16Of(lines.c_str(), &wide) ? wide : std::wstring();
}

}  // namespace

std::wstring MoveLineText() {
  GameRecord& record = *gGameRecord;
  const RecordNotes& notes = record.Notes();
  if (!notes.Gathered() && record.mainCount > 1) return std::wstring();
  const std::wstring reached = std::to_wstring(record.CurrentMoveNumber()) + L"手目";
  if (!record.InVariation()) {
    return reached + L" / 全" + std::to_wstring(notes.TotalMoves()) + L"手";
  }
  return L"変化 " + reached + L" (本譜" + std::to_wstring(notes.MoveNumberAt(record.branchPoint)) +
         L"手目から)";
}

std::wstring GameLinesText() {
  std::string text;
  for (const std::string& line : GameInfoLines(gGameRecord->Notes().Info())) {
    if (!text.empty()) text += '\n';
    text += line;
  }
  return EditTextOf(text);
}

std::wstring CommentText() {
  GameRecord& record = *gGameRecord;
  if (record.InVariation()) return std::wstring();
  std::string text = record.Notes().Info().gameComment;
  const std::string comment = record.Notes().CommentAt(record.mainCursor);
  if (!text.empty() && !comment.empty()) text += "\n\n";
  return EditTextOf(text + comment);
}
