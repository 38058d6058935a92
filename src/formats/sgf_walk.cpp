#include "formats/sgf_walk.h"

#include <cstring>

#include "formats/record_text_decode.h"
#include "formats/sgf_scanner.h"
#include "formats/sgf_text_value.h"

namespace {

constexpr std::uint32_t kComment = SgfIdentity("C");

// The identities of the game-information properties, in InfoField order.
constexpr std::uint32_t kInfoIdentities[] = {
    SgfIdentity("PB"), SgfIdentity("BR"), SgfIdentity("PW"), SgfIdentity("WR"),
    SgfIdentity("RE"), SgfIdentity("KM"), SgfIdentity("HA"), SgfIdentity("DT"),
    SgfIdentity("EV"), SgfIdentity("RO"), SgfIdentity("GN"), SgfIdentity("PC"),
    SgfIdentity("GC")};

// Notes the value the scanner stands on when it is the first of a game-information
// property.
void TakeRootValue(const SgfScanner& scan, RootValues* root) {
  for (std::size_t field = 0; field < root->ranges.size(); ++field) {
    if (scan.Identity() != kInfoIdentities[field] || root->present[field]) continue;
    root->ranges[field] = TextRange{scan.ValueBegin(), scan.ValueEnd()};
    root->present[field] = true;
  }
}

TextRange ValueOf(const SgfScanner& scan) { return TextRange{scan.ValueBegin(), scan.ValueEnd()}; }

bool IsStructure(SgfToken token) { return token != SgfToken::kValue; }

}  // namespace

GameInfo InfoOfRoot(const RootValues& root, const unsigned char* text, const LeadBytes& leads,
                    int codePage) {
  GameInfo info;
  std::string* targets[] = {&info.blackName, &info.blackRank, &info.whiteName, &info.whiteRank,
                            &info.result,    &info.komi,      &info.handicap,  &info.date,
                            &info.event,     &info.round,     &info.gameName,  &info.place,
                            &info.gameComment};
  for (std::size_t field = 0; field < root.ranges.size(); ++field) {
    if (!root.present[field]) continue;
    const TextRange& range = root.ranges[field];
    // Every game-information property is SimpleText but the game comment.
    const bool simple = field != static_cast<std::size_t>(InfoField::kGameComment);
    std::string value = Utf8OfRecordText(
        codePage, SgfTextOf(text + range.begin, range.end - range.begin, leads, simple));
    if (simple) {
      const std::size_t first = value.find_first_not_of(' ');
      const std::size_t last = value.find_last_not_of(' ');
      value = first == std::string::npos ? std::string() : value.substr(first, last - first + 1);
    }
    *targets[field] = std::move(value);
  }
  return info;
}

SgfWalk WalkAllNodes(const unsigned char* text, std::size_t size, const LeadBytes& leads) {
  SgfWalk walk;
  walk.pieces.push_back(TextRange{0, size});
  SgfScanner scan(text, size, leads);
  std::vector<TextRange> values;  // the comments of the node now open
  bool nodeOpen = false;
  int nodesSeen = 0;
  bool sawTree = false;
  for (;;) {
    const SgfToken token = scan.Next();
    if (IsStructure(token) && nodeOpen) {
      // The node ends here: its comments belong with the codes before this point.
      nodeOpen = false;
      for (const TextRange& value : values) {
        walk.comments.push_back({0, scan.At(), nodesSeen == 1, value});
      }
      values.clear();
    }
    if (token == SgfToken::kEnd) break;
    if (token == SgfToken::kTreeOpen) sawTree = true;
    if (token == SgfToken::kNode || (token == SgfToken::kValue && !nodeOpen)) {
      // Values outside any node make a node of their own.
      nodeOpen = true;
      ++nodesSeen;
    }
    if (token != SgfToken::kValue) continue;
    if (nodesSeen == 1 && sawTree) TakeRootValue(scan, &walk.root);
    if (scan.Identity() == kComment) values.push_back(ValueOf(scan));
  }
  return walk;
}

namespace {

bool IsBlankByte(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Where the value opened by the "[" at open ends: its "]", or size.
std::size_t CloseOf(const unsigned char* text, std::size_t size, std::size_t open) {
  const void* close = std::memchr(text + open + 1, ']', size - open - 1);
  return close == nullptr ? size : static_cast<std::size_t>(static_cast<const unsigned char*>(close) - text);
}

// Whether the byte at at stands outside every value: the last bracket before it is a
// "]", or there is none. With no "\" and no two-byte character in the text, a "[" opens a
// value only outside one and a "]" closes one only inside, so the last bracket decides.
bool OutsideValues(const unsigned char* text, std::size_t at) {
  while (at > 0) {
    const unsigned char c = text[--at];
    if (c == ']') return true;
    if (c == '[') return false;
  }
  return true;
}

// Where the node around the text after a value ends: the next "(", ")" or ";" outside
// the values that follow.
std::size_t NodeEndAfter(const unsigned char* text, std::size_t size, std::size_t at) {
  while (at < size) {
    const unsigned char c = text[at];
    if (c == '(' || c == ')' || c == ';') return at;
    at = c == '[' ? CloseOf(text, size, at) : at;
    ++at;
  }
  return size;
}

// The first node as WalkAllNodes walks it: its root values and where it ends.
void WalkFirstNode(const unsigned char* text, std::size_t size, RootValues* root,
                   std::size_t* begin, std::size_t* end) {
  const LeadBytes none(0);
  SgfScanner scan(text, size, none);
  bool sawTree = false;
  bool nodeOpen = false;
  std::size_t afterStructure = 0;  // where the text after the last "(", ")" or ";" starts
  *begin = *end = size;
  for (SgfToken token = scan.Next();; token = scan.Next()) {
    if (token != SgfToken::kValue && nodeOpen) {
      *end = scan.At();
      return;
    }
    if (token == SgfToken::kEnd) return;
    if (token == SgfToken::kTreeOpen) sawTree = true;
    if (token == SgfToken::kNode || (token == SgfToken::kValue && !nodeOpen)) {
      nodeOpen = true;
      // A node made of values outside any node starts with their identities.
      *begin = token == SgfToken::kNode ? scan.At() : afterStructure;
    }
    if (token != SgfToken::kValue) afterStructure = scan.At() + 1;
    if (token == SgfToken::kValue && sawTree) TakeRootValue(scan, root);
  }
}

}  // namespace

SgfWalk WalkCommentedNodes(const unsigned char* text, std::size_t size,
                           const std::vector<std::size_t>& candidates) {
  CommentedNodeWalker walker;
  return walker.Finish(text, size, candidates);
}

void CommentedNodeWalker::Walk(const unsigned char* text, std::size_t available,
                               const std::vector<std::size_t>& candidates) {
  while (next_ < candidates.size() && Take(text, available, false, candidates[next_])) ++next_;
}

SgfWalk CommentedNodeWalker::Finish(const unsigned char* text, std::size_t size,
                                    const std::vector<std::size_t>& candidates) {
  for (; next_ < candidates.size(); ++next_) Take(text, size, true, candidates[next_]);
  walk_.pieces.assign(1, TextRange{0, size});
  std::size_t firstBegin = 0;
  std::size_t firstEnd = 0;
  WalkFirstNode(text, size, &walk_.root, &firstBegin, &firstEnd);
  for (std::size_t i = 0; i < walk_.comments.size(); ++i) {
    walk_.comments[i].atStart = origins_[i] >= firstBegin && origins_[i] < firstEnd;
  }
  return std::move(walk_);
}

bool CommentedNodeWalker::Take(const unsigned char* text, std::size_t available, bool final,
                               std::size_t c) {
  // "C[" alone, not the end of a longer identity, and not inside a value.
  if (c + 1 >= available) return final;
  if (c < at_ || text[c + 1] != '[' || (c > 0 && text[c - 1] >= 'A' && text[c - 1] <= 'Z')) {
    return true;
  }
  if (!OutsideValues(text, c)) return true;
  // The property's values: the first, and each after nothing but white space.
  values_.clear();
  std::size_t open = c + 1;
  std::size_t past = 0;
  for (;;) {
    const std::size_t close = CloseOf(text, available, open);
    if (close >= available && !final) return false;
    values_.push_back(TextRange{open + 1, close});
    past = close < available ? close + 1 : available;
    std::size_t next = past;
    while (next < available && IsBlankByte(text[next])) ++next;
    if (next >= available && !final) return false;
    if (next >= available || text[next] != '[') break;
    open = next;
  }
  const std::size_t nodeEnd = NodeEndAfter(text, available, past);
  if (nodeEnd >= available && !final) return false;
  at_ = past;
  for (const TextRange& value : values_) {
    walk_.comments.push_back({0, nodeEnd, false, value});
    origins_.push_back(c);
  }
  return true;
}

namespace {

// One open game tree of the game being walked.
struct TreeFrame {
  bool onMain;          // every tree around it is the first branch of its parent
  bool childChosen;     // a branch of it has been taken as the main line
  std::size_t nodesAtOpen;  // main-line nodes walked when it opened
};

// Walks the main line of one game, token by token.
class MainLineWalker {
 public:
  explicit MainLineWalker(SgfWalk* walk) : walk_(*walk) {}

  // Returns false once the game has ended.
  bool Take(SgfToken token, const SgfScanner& scan) {
    if (token != SgfToken::kValue) EndNode(scan.At());
    switch (token) {
      case SgfToken::kTreeOpen: OpenTree(scan.At()); return true;
      case SgfToken::kTreeClose: return CloseTree(scan.At());
      case SgfToken::kNode: OpenNode(scan.At()); return true;
      case SgfToken::kValue: TakeValue(scan); return true;
      case SgfToken::kEnd: return false;
    }
    return false;
  }

 private:
  void OpenTree(std::size_t at) {
    if (!trees_.empty()) {
      TreeFrame& parent = trees_.back();
      const bool onMain = parent.onMain && !parent.childChosen;
      if (onMain) parent.childChosen = true;
      trees_.push_back(TreeFrame{onMain, false, mainNodes_});
    } else {
      trees_.push_back(TreeFrame{true, false, mainNodes_});
    }
    contentStart_ = at + 1;
  }
  bool CloseTree(std::size_t at) {
    if (trees_.empty()) return true;
    const TreeFrame closed = trees_.back();
    trees_.pop_back();
    // A branch without a node is no branch: the next one may take its place.
    if (closed.onMain && mainNodes_ == closed.nodesAtOpen && !trees_.empty()) {
      trees_.back().childChosen = false;
    }
    contentStart_ = at + 1;
    return !trees_.empty();
  }
  void OpenNode(std::size_t at) {
    nodeOpen_ = true;
    nodeIsMain_ = !trees_.empty() && trees_.back().onMain && !trees_.back().childChosen;
    nodeStart_ = at;
    if (nodeIsMain_) ++mainNodes_;
  }
  void TakeValue(const SgfScanner& scan) {
    if (!nodeOpen_) OpenNode(contentStart_);
    if (!nodeIsMain_) return;
    if (mainNodes_ == 1) TakeRootValue(scan, &walk_.root);
    if (scan.Identity() == kComment) values_.push_back(ValueOf(scan));
  }
  void EndNode(std::size_t at) {
    if (!nodeOpen_) return;
    nodeOpen_ = false;
    contentStart_ = at;
    if (!nodeIsMain_) return;
    walk_.pieces.push_back(TextRange{nodeStart_, at});
    for (const TextRange& value : values_) {
      walk_.comments.push_back({walk_.pieces.size() - 1, at, mainNodes_ == 1, value});
    }
    values_.clear();
  }

  SgfWalk& walk_;
  std::vector<TreeFrame> trees_;
  std::size_t mainNodes_ = 0;
  std::size_t contentStart_ = 0;
  std::size_t nodeStart_ = 0;
  bool nodeOpen_ = false;
  bool nodeIsMain_ = false;
  std::vector<TextRange> values_;  // the comments of the node now open
};

// Moves the scanner past the game trees before game `game` at the top level; false when
// the text ends first. sawTree tells whether any tree was met.
bool SkipToGame(SgfScanner& scan, int game, bool* sawTree) {
  int depth = 0;
  int started = -1;
  for (;;) {
    const SgfToken token = scan.Next();
    if (token == SgfToken::kEnd) return false;
    if (token == SgfToken::kTreeOpen) {
      *sawTree = true;
      if (depth == 0 && ++started == game) return true;
      ++depth;
    } else if (token == SgfToken::kTreeClose && depth > 0) {
      --depth;
    }
  }
}

}  // namespace

SgfWalk WalkMainLine(const unsigned char* text, std::size_t size, const LeadBytes& leads,
                     int game) {
  SgfScanner scan(text, size, leads);
  bool sawTree = false;
  if (!SkipToGame(scan, game, &sawTree)) {
    // A bare list of properties is one game without forks.
    if (!sawTree && game == 0) return WalkAllNodes(text, size, leads);
    return SgfWalk{};
  }
  SgfWalk walk;
  MainLineWalker walker(&walk);
  walker.Take(SgfToken::kTreeOpen, scan);
  for (SgfToken token = scan.Next(); walker.Take(token, scan); token = scan.Next()) {
  }
  return walk;
}

void WalkGameRoots(const unsigned char* text, std::size_t size, const LeadBytes& leads,
                   const std::function<void(const RootValues&)>& onGame) {
  SgfScanner scan(text, size, leads);
  int depth = 0;
  int rootNodes = 0;  // nodes of the current game's top tree so far
  bool inGame = false;
  RootValues root;
  for (SgfToken token = scan.Next(); token != SgfToken::kEnd; token = scan.Next()) {
    switch (token) {
      case SgfToken::kTreeOpen:
        if (depth++ == 0) {
          inGame = true;
          rootNodes = 0;
          root = RootValues{};
        }
        break;
      case SgfToken::kTreeClose:
        if (depth > 0 && --depth == 0) {
          onGame(root);
          inGame = false;
        }
        break;
      case SgfToken::kNode:
        if (depth == 1) ++rootNodes;
        break;
      case SgfToken::kValue:
        if (depth == 1 && rootNodes <= 1) TakeRootValue(scan, &root);
        break;
      case SgfToken::kEnd:
        break;
    }
  }
  // A game tree that is never closed ends with the text.
  if (inGame) onGame(root);
}

int NamedCodePage(const unsigned char* text, std::size_t size) {
  const char* const begin = reinterpret_cast<const char*>(text);
  const char* at = begin;
  const char* const end = begin + size;
  while (end - at >= 3) {
    const void* found = std::memchr(at, 'C', static_cast<std::size_t>(end - at - 2));
    if (found == nullptr) return 0;
    at = static_cast<const char*>(found);
    // "CA[" as a property of its own, not the end of a longer identity.
    const bool own = at == begin || at[-1] < 'A' || at[-1] > 'Z';
    if (own && at[1] == 'A' && at[2] == '[') {
      const char* close = static_cast<const char*>(std::memchr(at + 3, ']', end - at - 3));
      if (close == nullptr || close - at > 64) return 0;
      return CodePageOfCharsetName(std::string(at + 3, close));
    }
    ++at;
  }
  return 0;
}
