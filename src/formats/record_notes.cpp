#include "formats/record_notes.h"

#include <algorithm>

#include "formats/record_text_decode.h"
#include "formats/sgf_text_value.h"
#include "formats/text_charset.h"

void RecordNotes::Clear() {
  ForgetAllButBytes();
  bytes_.Clear();
  filtered_.Clear();
}

void RecordNotes::ForgetAllButBytes() {
  gathered_ = false;
  codePage_ = kUtf8CodePage;
  sgfValues_ = true;
  info_ = GameInfo();
  moveNumbers_.clear();
  totalMoves_ = 0;
  comments_.clear();
}

int RecordNotes::MoveNumberAt(int position) const {
  if (position < 0 || static_cast<std::size_t>(position) >= moveNumbers_.size()) return 0;
  return moveNumbers_[static_cast<std::size_t>(position)];
}

std::string RecordNotes::CommentAt(int position) const {
  const auto first = std::lower_bound(
      comments_.begin(), comments_.end(), position,
      [](const Comment& comment, int p) { return comment.position < p; });
  const LeadBytes leads(codePage_);
  std::string text;
  for (auto it = first; it != comments_.end() && it->position == position; ++it) {
    const unsigned char* bytes = bytes_.Data() + it->begin;
    const std::size_t size = it->end - it->begin;
    const std::string value = sgfValues_ ? SgfTextOf(bytes, size, leads, false)
                                         : std::string(reinterpret_cast<const char*>(bytes), size);
    if (!text.empty()) text += "\n\n";
    text += Utf8OfRecordText(codePage_, value);
  }
  return text;
}

void RecordNotes::Begin(int codePage, bool sgfValues) {
  // The reader has read the record's bytes already.
  ForgetAllButBytes();
  gathered_ = true;
  codePage_ = codePage;
  sgfValues_ = sgfValues;
}

void RecordNotes::SetMoveNumbers(std::vector<std::int32_t> moveNumbers, int totalMoves) {
  moveNumbers_ = std::move(moveNumbers);
  totalMoves_ = totalMoves;
}

void RecordNotes::AddComment(int position, std::size_t begin, std::size_t end) {
  // Kept in Position order, each after those already given for the same Position; most
  // come in that order.
  if (comments_.empty() || comments_.back().position <= position) {
    comments_.push_back(Comment{position, begin, end});
    return;
  }
  const auto at = std::upper_bound(comments_.begin(), comments_.end(), position,
                                   [](int p, const Comment& comment) { return p < comment.position; });
  comments_.insert(at, Comment{position, begin, end});
}

void RecordNotes::AddCommentText(int position, const std::string& text) {
  const std::size_t begin = bytes_.Size();
  bytes_.Append(reinterpret_cast<const unsigned char*>(text.data()), text.size());
  AddComment(position, begin, bytes_.Size());
}
