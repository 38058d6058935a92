#include "formats/noted_reading.h"

#include <algorithm>
#include <cstring>

#include "formats/read_text.h"
#include "formats/sgf_walk.h"
#include "formats/text_charset.h"
#include "platform/record_file_io.h"
#include "platform/text_codec.h"

namespace {

// Every 64 bytes of the file, how many bytes the SGF filter kept before them: enough to
// tell where any byte of the file stands in the filtered text.
constexpr std::size_t kMapStep = 64;
// The bytes looked at together, while they are still in the cache.
constexpr std::size_t kWindow = 64 * 1024;

// A record's bytes read for its moves and its comments at once. As they arrive they are
// kept, filtered as ReadSgf filters them, and each window of them looked at: whether any
// byte is "\" or above 0x7F, and where "C[" stands.
class StreamedRecord : public platform::BlockTarget {
 public:
  StreamedRecord(ReadText* bytes, ReadText* filtered) : bytes_(*bytes), filtered_(*filtered) {}

  unsigned char* Room(std::size_t size) override { return bytes_.Room(size); }
  // The map grows by copies: for a large record they cost as much as its scan for notes.
  void Expect(std::size_t room) override {
    bytes_.Reserve(bytes_.Size() + room);
    filtered_.Reserve(room);
    map_.reserve(room / kMapStep + 1);
  }
  void Filled(std::size_t size) override {
    std::size_t at = bytes_.Size();
    bytes_.Filled(size);
    const std::size_t end = bytes_.Size();
    // Room for the whole block at once, and all the steps need in locals: the filter's
    // stores could reach anything else, which would then be read again at every step.
    char* const out = reinterpret_cast<char*>(filtered_.Room(size));
    const std::size_t base = filtered_.Size();
    const unsigned char* const in = bytes_.Data();
    // Up to the first map point, then a map entry and a step at each.
    const std::size_t point = std::min(end, (at + kMapStep - 1) / kMapStep * kMapStep);
    char* to = out + KeepSgfBytes(out, in + at, point - at);
    for (at = point; at < end; at += kMapStep) {
      map_.push_back(base + static_cast<std::size_t>(to - out));
      to += KeepSgfBytes(to, in + at, std::min(kMapStep, end - at));
    }
    filtered_.Filled(static_cast<std::size_t>(to - out));
    // The last byte waits: a "C" there needs the byte after it.
    if (end - looked_ > kWindow) Look(end - 1);
  }
  void Finish() { Look(bytes_.Size()); }

  const std::vector<std::size_t>& Map() const { return map_; }
  bool HasBackslash() const { return backslash_; }
  bool HasHighBytes() const { return high_; }
  const std::vector<std::size_t>& CommentCandidates() const { return candidates_; }

 private:
  void Look(std::size_t end) {
    const unsigned char* t = bytes_.Data();
    const std::size_t size = end - looked_;
    if (size == 0) return;
    high_ = high_ || !IsAscii(t + looked_, size);
    backslash_ = backslash_ || std::memchr(t + looked_, '\\', size) != nullptr;
    for (std::size_t at = looked_; at < end;) {
      const void* found = std::memchr(t + at, 'C', end - at);
      if (found == nullptr) break;
      const auto c = static_cast<std::size_t>(static_cast<const unsigned char*>(found) - t);
      if (c + 1 < bytes_.Size() && t[c + 1] == '[') candidates_.push_back(c);
      at = c + 1;
    }
    looked_ = end;
  }

  ReadText& bytes_;
  ReadText& filtered_;
  std::vector<std::size_t> map_;
  std::size_t looked_ = 0;
  bool backslash_ = false;
  bool high_ = false;
  std::vector<std::size_t> candidates_;
};

// Where text offset at stands in the filtered text, which holds filteredSize bytes.
std::size_t FilteredOffset(const std::vector<std::size_t>& map, const unsigned char* text,
                           std::size_t size, std::size_t at, std::size_t filteredSize) {
  if (at >= size) return filteredSize;
  const std::size_t step = at / kMapStep;
  const std::size_t from = step * kMapStep;
  // Counted from the nearer of the two map entries around it: half the bytes on average.
  if (at - from > kMapStep / 2 && step + 1 < map.size()) {
    return map[step + 1] - KeptCount(text + at, from + kMapStep - at);
  }
  return map[step] + KeptCount(text + from, at - from);
}

// The number of values below k in the ascending list. The search starts from *from,
// where the last one ended when the values asked for come in order, and widens step by
// step: comments are placed in file order, a few dozen codes apart.
std::size_t CountBelow(const std::vector<std::int32_t>& list, std::int32_t k, std::size_t* from) {
  std::size_t low = *from <= list.size() && (*from == 0 || list[*from - 1] < k) ? *from : 0;
  std::size_t high = low;
  for (std::size_t step = 1; high < list.size() && list[high] < k; step *= 2) {
    low = high + 1;
    high += step;
  }
  high = std::min(high, list.size());
  *from = static_cast<std::size_t>(std::lower_bound(list.begin() + low, list.begin() + high, k) -
                                   list.begin());
  return *from;
}

// The comments of a walk on the Positions that codes made: each with the codes before
// the end of its node, the root's on the starting board.
void PlaceComments(const SgfWalk& walk, const SgfScanMarks& marks,
                   const std::vector<std::int32_t>& madeBy, std::size_t offset, RecordNotes* notes) {
  notes->ReserveComments(walk.comments.size());
  std::size_t searched = 0;
  for (std::size_t i = 0; i < walk.comments.size(); ++i) {
    const SgfWalk::Comment& comment = walk.comments[i];
    int position = 0;
    if (!comment.atStart && i < marks.codesBefore.size()) {
      // Position j was made by code madeBy[j - 1]: count the makers before the node's end.
      position = static_cast<int>(CountBelow(madeBy, marks.codesBefore[i], &searched));
    }
    notes->AddComment(position, offset + comment.value.begin, offset + comment.value.end);
  }
}

// Number of values in the ascending list that are at most k, from *at on; moves *at.
std::size_t CountUpTo(const std::vector<std::int32_t>& list, std::int32_t k, std::size_t* at) {
  while (*at < list.size() && list[*at] <= k) ++*at;
  return *at;
}

}  // namespace

void ReadFileInto(const char* name, ReadText* bytes) {
  // The file goes straight into the text's own memory.
  struct Into : platform::BlockTarget {
    ReadText& text;
    explicit Into(ReadText& into) : text(into) {}
    unsigned char* Room(std::size_t size) override { return text.Room(size); }
    void Filled(std::size_t size) override { text.Filled(size); }
    void Expect(std::size_t room) override { text.Reserve(room); }
  } into(*bytes);
  bytes->Clear();
  platform::ReadFileBlocks(name, into);
}

std::string FileBytes(const char* name) { return platform::ReadWholeFile(name); }

std::vector<std::int32_t> MoveNumbersOf(const MoveCodeList& codes, const SgfScanMarks& marks,
                                        const std::vector<std::int32_t>& madeBy, int* total) {
  // The move number after code k: the codes up to it, less the setup stones and removals
  // among them, and the passes before it.
  std::size_t passes = 0;
  std::size_t removals = 0;
  std::size_t list = 0;
  std::int32_t setupBefore = 0;  // setup stones in the lists wholly before the current one
  auto movesAfter = [&](std::int32_t k) {
    while (list < marks.setupLists.size() && marks.setupLists[list].second <= k + 1) {
      setupBefore += marks.setupLists[list].second - marks.setupLists[list].first;
      ++list;
    }
    std::int32_t setup = setupBefore;
    if (list < marks.setupLists.size() && marks.setupLists[list].first <= k) {
      setup += k + 1 - marks.setupLists[list].first;
    }
    return k + 1 - setup - static_cast<std::int32_t>(CountUpTo(marks.removals, k, &removals)) +
           static_cast<std::int32_t>(CountUpTo(marks.passes, k, &passes));
  };
  std::vector<std::int32_t> numbers(1, 0);
  numbers.reserve(madeBy.size() + 1);
  for (const std::int32_t k : madeBy) numbers.push_back(movesAfter(k));
  const auto last = static_cast<std::int32_t>(codes.size()) - 1;
  // Passes after the last code count too.
  *total = (codes.empty() ? 0 : movesAfter(last)) +
           static_cast<int>(marks.passes.size() - CountUpTo(marks.passes, last, &passes));
  return numbers;
}

namespace {

// The code page of a record's text: any for an ASCII text, the first it names or UTF-8.
int CodePageOfText(const unsigned char* text, std::size_t size, bool highBytes) {
  const int named = NamedCodePage(text, size);
  if (!highBytes) return named != 0 && platform::CodePageExists(named) ? named : kUtf8CodePage;
  return ChooseCodePage(text, size, named, platform::CodePageExists);
}

// The walk of one game's main line, and the text of its nodes filtered for the moves.
SgfWalk FilterMainLine(const unsigned char* text, std::size_t size, const LeadBytes& leads,
                       int game, ReadText* filtered, SgfScanMarks* marks) {
  SgfWalk walk = WalkMainLine(text, size, leads, game);
  filtered->Reserve(size);
  std::vector<std::size_t> pieceEnds;
  for (const TextRange& piece : walk.pieces) {
    filtered->AppendKept(text + piece.begin, piece.end - piece.begin);
    pieceEnds.push_back(filtered->Size());
  }
  for (const SgfWalk::Comment& comment : walk.comments) {
    marks->checkpoints.push_back(pieceEnds[comment.piece]);
  }
  return walk;
}

}  // namespace

int ReadSgfNoted(PositionPool& mainLine, const char* cleanedName, const ReadOptions& options,
                 RecordNotes* notes) {
  // The notes' bytes keep their memory from read to read, with notes or without: for a
  // large collection read along one game's main line, a text grown anew at every read
  // cost six times the read itself.
  ReadText& bytes = notes->Bytes();
  bytes.Clear();
  ReadText filtered;
  StreamedRecord stream(&bytes, &filtered);
  platform::ReadFileBlocks(cleanedName, stream);
  stream.Finish();

  std::size_t markLength = 0;
  const int marked = CodePageOfByteOrderMark(bytes.Data(), bytes.Size(), &markLength);
  // A UTF-16 record is walked in its UTF-8 form, kept after its bytes.
  const bool utf16 = marked == kUtf16LittleCodePage || marked == kUtf16BigCodePage;
  const std::size_t fileSize = bytes.Size();
  if (utf16) {
    const std::string utf8 = Utf8OfUtf16(bytes.Data() + markLength, fileSize - markLength, marked);
    bytes.Append(reinterpret_cast<const unsigned char*>(utf8.data()), utf8.size());
  }
  const std::size_t textBegin = utf16 ? fileSize : 0;
  const unsigned char* text = bytes.Data() + textBegin;
  const std::size_t size = bytes.Size() - textBegin;
  const int codePage = utf16 ? kUtf8CodePage : CodePageOfText(text, size, stream.HasHighBytes());
  const LeadBytes leads(codePage);

  SgfScanMarks marks;
  SgfWalk walk;
  if (options.mainLineOnly) {
    filtered.Clear();
    walk = FilterMainLine(text, size, leads, options.game, &filtered, &marks);
  } else if (options.notes) {
    // Read as one sequence, the moves come from the file's own bytes, as ReadSgf reads
    // them; of a UTF-16 record, none, and its comments then stay on the starting board.
    // A text without "\" and two-byte characters is walked through its comments alone.
    const bool plain = !utf16 && !stream.HasBackslash() && (!stream.HasHighBytes() || !leads.Any());
    walk = plain ? WalkCommentedNodes(text, size, stream.CommentCandidates())
                 : WalkAllNodes(text, size, leads);
    marks.checkpoints.reserve(walk.comments.size());
    for (const SgfWalk::Comment& comment : walk.comments) {
      marks.checkpoints.push_back(
          utf16 ? 0 : FilteredOffset(stream.Map(), text, size, comment.nodeEnd, filtered.Size()));
    }
  }
  const MoveCodeList codes = ScanSgfTextMarked(filtered.Data(), filtered.Size(), &marks);
  std::vector<std::int32_t> madeBy;
  const int count = ReplayMoveCodes(mainLine, codes, &madeBy);
  if (!options.notes) return count;

  notes->Begin(codePage, true);
  notes->MutableInfo() = InfoOfRoot(walk.root, text, leads, codePage);
  int total = 0;
  std::vector<std::int32_t> numbers = MoveNumbersOf(codes, marks, madeBy, &total);
  notes->SetMoveNumbers(std::move(numbers), total);
  PlaceComments(walk, marks, madeBy, textBegin, notes);
  return count;
}
