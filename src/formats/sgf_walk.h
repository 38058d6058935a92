#pragma once
#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "formats/game_info.h"
#include "formats/text_charset.h"

// A byte range [begin, end) of an SGF text.
struct TextRange {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// The game-information properties of a root node, by field.
enum class InfoField {
  kBlackName, kBlackRank, kWhiteName, kWhiteRank, kResult, kKomi, kHandicap, kDate, kEvent,
  kRound, kGameName, kPlace, kGameComment, kCount
};

// The first value of each game-information property of a root node, as ranges of the
// text; a property the node does not have is absent.
struct RootValues {
  std::array<TextRange, static_cast<std::size_t>(InfoField::kCount)> ranges{};
  std::array<bool, static_cast<std::size_t>(InfoField::kCount)> present{};
};

// The game information of a root node, decoded from the text's code page to UTF-8.
GameInfo InfoOfRoot(const RootValues& root, const unsigned char* text, const LeadBytes& leads,
                    int codePage);

// What a walk through an SGF text gives its reader: the pieces of the text whose bytes,
// in order, the moves are read from, and the comment values of the nodes walked.
struct SgfWalk {
  struct Comment {
    std::size_t piece;    // the node ends with this piece (main line)
    std::size_t nodeEnd;  // where the node ends in the text (every node)
    bool atStart;         // the comment of the game's root: it belongs to the starting board
    TextRange value;      // the C value's bytes, between its brackets
  };
  std::vector<TextRange> pieces;
  std::vector<Comment> comments;
  RootValues root;
};

// Every node of the text in file order, as one sequence: one piece, the whole text; each
// comment tells where its node ends. The root is the first game's.
SgfWalk WalkAllNodes(const unsigned char* text, std::size_t size, const LeadBytes& leads);

// The same walk for a text that has no "\" and no two-byte character, where the last "["
// or "]" before a byte tells whether it stands inside a value: it looks only at the
// comments, the nodes they end and the first node, however many nodes the text has.
// candidates are the offsets of "C"s, ascending: at least every one followed by "[";
// the others are passed over.
SgfWalk WalkCommentedNodes(const unsigned char* text, std::size_t size,
                           const std::vector<std::size_t>& candidates);

// WalkCommentedNodes for a text that arrives a stretch at a time, so that each comment is
// walked while the bytes around it are still in the cache: for a large record, looking
// them up again afterwards costs a trip to memory for every comment.
class CommentedNodeWalker {
 public:
  // Walks on through the candidates while each one's values and node end stand within
  // text[0, available), which is not yet the whole text; stops before the first that
  // runs past it.
  void Walk(const unsigned char* text, std::size_t available,
            const std::vector<std::size_t>& candidates);
  // Walks the rest in the whole text, and gives the walk that WalkCommentedNodes gives.
  SgfWalk Finish(const unsigned char* text, std::size_t size,
                 const std::vector<std::size_t>& candidates);
  // The comments walked so far.
  const std::vector<SgfWalk::Comment>& Comments() const { return walk_.comments; }

 private:
  // Takes candidate c; false, taking nothing, when the text may go on past available
  // (not final) and the comment or its node is not yet whole within it.
  bool Take(const unsigned char* text, std::size_t available, bool final, std::size_t c);

  SgfWalk walk_;
  std::vector<std::size_t> origins_;  // the candidate that each comment was found at
  std::vector<TextRange> values_;     // of the comment property in hand
  std::size_t next_ = 0;              // candidates taken or passed over
  std::size_t at_ = 0;                // past the comments taken so far
};

// The main line of game `game` (0 is the first game tree at the top level): its nodes,
// each a piece, and at every fork the first branch that holds a node. A text with no game
// tree at all has one game, the whole text. No piece when there is no such game. Stops at
// the end of that game.
SgfWalk WalkMainLine(const unsigned char* text, std::size_t size, const LeadBytes& leads,
                     int game);

// Calls onGame(root) for the root node of every game tree at the top level, in file
// order (a game without a node gives empty values).
void WalkGameRoots(const unsigned char* text, std::size_t size, const LeadBytes& leads,
                   const std::function<void(const RootValues&)>& onGame);

// The code page that the first CA property of the text names; 0 when there is none, or
// it names no charset the program knows.
int NamedCodePage(const unsigned char* text, std::size_t size);
