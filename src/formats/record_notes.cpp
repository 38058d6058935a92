#include "formats/record_notes.h"

#include <algorithm>

#include "formats/record_text_decode.h"

void RecordNotes::Clear() { *this = RecordNotes(); }

int RecordNotes::MoveNumberAt(int position) const {
  if (position < 0 || static_cast<std::size_t>(position) >= moveNumbers_.size()) return 0;
  return moveNumbers_[static_cast<std::size_t>(position)];
}

std::string RecordNotes::CommentAt(int position) const {
  const auto first = std::lower_bound(
      comments_.begin(), comments_.end(), position,
      [](const Comment& comment, int p) { return comment.position < p; });
  std::string text;
  for (auto it = first; it != comments_.end() && it->position == position; ++it) {
    if (!text.empty()) text += "\n\n";
    text += Utf8OfRecordText(codePage_, it->text);
  }
  return text;
}

void RecordNotes::Begin(int codePage) {
  Clear();
  gathered_ = true;
  codePage_ = codePage;
}

void RecordNotes::SetMoveNumbers(std::vector<std::int32_t> moveNumbers, int totalMoves) {
  moveNumbers_ = std::move(moveNumbers);
  totalMoves_ = totalMoves;
}

void RecordNotes::AddComment(int position, std::string text) {
  // Kept in Position order, each after those already given for the same Position.
  const auto at = std::upper_bound(comments_.begin(), comments_.end(), position,
                                   [](int p, const Comment& comment) { return p < comment.position; });
  comments_.insert(at, Comment{position, std::move(text)});
}
