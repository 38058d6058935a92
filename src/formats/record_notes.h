#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "formats/game_info.h"

// What a player reads beside the board, gathered when a record is read: the game
// information, the move number of every Position of the main line, and the comments.
class RecordNotes {
 public:
  // Nothing known, as before any read.
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
  // Starts a gathering: nothing known yet, comments' bytes in codePage.
  void Begin(int codePage);
  GameInfo& MutableInfo() { return info_; }
  // Main-line Position i was reached after `moves` moves; called in Position order.
  void SetMoveNumbers(std::vector<std::int32_t> moveNumbers, int totalMoves);
  // Adds a comment (bytes of the code page, the text rules already applied) to
  // Position i, after those it already has.
  void AddComment(int position, std::string text);

 private:
  struct Comment {
    std::int32_t position;
    std::string text;
  };

  bool gathered_ = false;
  int codePage_ = 65001;
  GameInfo info_;
  std::vector<std::int32_t> moveNumbers_;
  int totalMoves_ = 0;
  std::vector<Comment> comments_;
};
