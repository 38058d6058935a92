#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/game_info.h"
#include "formats/read_text.h"

// What a player reads beside the board, gathered when a record is read: the game
// information, the move number of every Position of the main line, and the comments.
// Each comment is kept once, as bytes of the record, and decoded when it is shown.
class RecordNotes {
 public:
  // Nothing known, as before any read. The memory of the record's bytes is kept for the
  // next read.
  void Clear();

  // Whether the last read gathered notes at all.
  bool Gathered() const { return gathered_; }
  const GameInfo& Info() const { return info_; }
  // Moves played up to main-line Position i: passes count, setup stones and removals do
  // not. 0 for an index the record does not have.
  int MoveNumberAt(int position) const;
  // Moves of the whole main line.
  int TotalMoves() const { return totalMoves_; }
  // The comments of main-line Position i in UTF-8, line breaks "\n"; several are joined by
  // a blank line. "" when it has none.
  std::string CommentAt(int position) const;

  // --- Filled by the readers. ---
  // Starts a gathering: nothing known yet but Bytes(); the comments are bytes of codePage, SGF values
  // whose text rules apply when they are shown (sgfValues), or plain text.
  void Begin(int codePage, bool sgfValues);
  // The bytes the comments are ranges of: the record's text, read into it by the reader.
  ReadText& Bytes() { return bytes_; }
  // Room for the reader's filtered text of the moves, kept from read to read like Bytes():
  // for a large record, memory taken anew at every read costs more in page faults than
  // the filter itself.
  ReadText& Filtered() { return filtered_; }
  GameInfo& MutableInfo() { return info_; }
  // moveNumbers[i] is the number of main-line Position i.
  void SetMoveNumbers(std::vector<std::int32_t> moveNumbers, int totalMoves);
  // Room for count comments in all, before they are added.
  void ReserveComments(std::size_t count) { comments_.reserve(count); }
  // Adds the comment at Bytes()[begin, end) to Position i, after those it already has.
  void AddComment(int position, std::size_t begin, std::size_t end);
  // Adds a comment given as text of the code page, kept after the record's bytes.
  void AddCommentText(int position, const std::string& text);

 private:
  void ForgetAllButBytes();

  struct Comment {
    std::int32_t position;
    std::size_t begin;
    std::size_t end;
  };

  bool gathered_ = false;
  int codePage_ = 65001;
  bool sgfValues_ = true;
  GameInfo info_;
  std::vector<std::int32_t> moveNumbers_;
  int totalMoves_ = 0;
  std::vector<Comment> comments_;
  ReadText bytes_;
  ReadText filtered_;
};
