#include "formats/noted_reading.h"

#include <algorithm>

#include "formats/read_text.h"
#include "formats/seeing_filter.h"
#include "formats/sgf_walk.h"
#include "formats/text_charset.h"
#include "platform/record_file_io.h"
#include "platform/text_codec.h"

namespace {

// Where offsets of a text stand in its filtered text, asked in ascending order: each
// count goes on from the last, so that all of them together cost one pass through the
// text.
class FilteredCursor {
 public:
  std::size_t KeptBefore(const unsigned char* text, std::size_t at) {
    // Offsets come in order; one that did not would be counted afresh.
    if (at < raw_) raw_ = kept_ = 0;
    kept_ += KeptCount(text + raw_, at - raw_);
    raw_ = at;
    return kept_;
  }

 private:
  std::size_t raw_ = 0;
  std::size_t kept_ = 0;
};

// A record's bytes read for its moves and its comments at once. Each block is kept as it
// arrives and filtered as ReadSgf filters it, by a filter that sees on the way where each
// "C" and "E" stands, whether any byte is "\" or above 0x7F, and how many bytes it had
// kept at every 256th. Then, while the block is still in the cache, it looks whether an
// E item may stand in it, and a text that may need no more is walked through the
// comments whose nodes have ended, and each node's end counted in the filtered text from
// the mark before it. Looked up afterwards, every comment would cost a trip to memory.
class StreamedRecord : public platform::BlockTarget {
 public:
  // A text read along one game's main line is only kept: its filter and its walk come later.
  StreamedRecord(ReadText* bytes, ReadText* filtered, bool asOneSequence)
      : bytes_(*bytes), filtered_(*filtered), asOneSequence_(asOneSequence) {}

  unsigned char* Room(std::size_t size) override { return bytes_.Room(size); }
  void Expect(std::size_t room) override {
    bytes_.Reserve(bytes_.Size() + room);
    filtered_.Reserve(room);
    sights_.keptAt.reserve(room / FilterSights::kMarkEvery + 1);
  }
  void Filled(std::size_t size) override {
    bytes_.Filled(size);
    if (!asOneSequence_) {
      if (!IsAscii(bytes_.Data() + bytes_.Size() - size, size)) sights_.highBytes = true;
      return;
    }
    Filter();
    LookForRemovals(false);
    // A text with a "\" is walked node by node in the end: no use walking it here.
    if (!sights_.backslash) {
      walker_.Walk(bytes_.Data(), bytes_.Size(), sights_.cs);
      CountNodeEnds();
    }
  }
  void Finish() {
    if (asOneSequence_) LookForRemovals(true);
  }

  bool HasBackslash() const { return sights_.backslash; }
  bool HasHighBytes() const { return sights_.highBytes; }
  // Whether MayHoldRemovals holds for the filtered text.
  bool MayHoldRemovalsFiltered() const { return mayHoldRemovals_; }
  // The walk through the comments alone, for a text without "\" and two-byte characters,
  // and where each comment's node ends in the filtered text.
  SgfWalk CommentedWalk(std::vector<std::size_t>* nodeEnds) {
    SgfWalk walk = walker_.Finish(bytes_.Data(), bytes_.Size(), sights_.cs);
    CountNodeEnds();
    *nodeEnds = std::move(nodeEnds_);
    return walk;
  }

 private:
  void Filter() {
    const std::size_t end = bytes_.Size();
    const std::size_t kept = filtered_.Size();
    char* const out = reinterpret_cast<char*>(filtered_.Room(end - filteredTo_));
    filtered_.Filled(KeepSgfBytesSeeing(out, bytes_.Data(), filteredTo_, end, kept, &sights_));
    filteredTo_ = end;
  }
  // The filtered offset of a text offset that the filter has passed: counted on from the
  // mark at or before it, through at most 255 bytes.
  std::size_t FilteredAt(std::size_t at) const {
    if (at >= bytes_.Size()) return filtered_.Size();
    const std::size_t every = FilterSights::kMarkEvery;
    return sights_.keptAt[at / every] + KeptCount(bytes_.Data() + at / every * every, at % every);
  }
  void CountNodeEnds() {
    const std::vector<SgfWalk::Comment>& comments = walker_.Comments();
    for (std::size_t i = nodeEnds_.size(); i < comments.size(); ++i) {
      nodeEnds_.push_back(FilteredAt(comments[i].nodeEnd));
    }
  }
  // Whether an E seen so far starts an E item with a point in the filtered text, where the
  // marks place it. An E with fewer than four filtered bytes from it is asked again with
  // the next block, unless it is the last (final).
  void LookForRemovals(bool final) {
    for (; !mayHoldRemovals_ && esLooked_ < sights_.es.size(); ++esLooked_) {
      const std::size_t at = FilteredAt(sights_.es[esLooked_]);
      const std::size_t size = std::min<std::size_t>(4, filtered_.Size() - at);
      if (size < 4 && !final) return;
      mayHoldRemovals_ = MayHoldRemovals(filtered_.Data() + at, size);
    }
  }

  ReadText& bytes_;
  ReadText& filtered_;
  const bool asOneSequence_;
  std::size_t filteredTo_ = 0;
  FilterSights sights_;
  std::size_t esLooked_ = 0;
  bool mayHoldRemovals_ = false;
  CommentedNodeWalker walker_;
  std::vector<std::size_t> nodeEnds_;  // in the filtered text, of the comments walked
};

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
  // The notes' bytes and filtered text keep their memory from read to read, with notes or
  // without: for a large collection read along one game's main line, a text grown anew at
  // every read cost six times the read itself.
  ReadText& bytes = notes->Bytes();
  bytes.Clear();
  ReadText& filtered = notes->Filtered();
  filtered.Clear();
  StreamedRecord stream(&bytes, &filtered, !options.mainLineOnly);
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
    walk = FilterMainLine(text, size, leads, options.game, &filtered, &marks);
  } else if (options.notes) {
    // Read as one sequence, the moves come from the file's own bytes, as ReadSgf reads
    // them; of a UTF-16 record, none, and its comments then stay on the starting board.
    // A text without "\" and two-byte characters is walked through its comments alone.
    if (!utf16 && !stream.HasBackslash() && (!stream.HasHighBytes() || !leads.Any())) {
      walk = stream.CommentedWalk(&marks.checkpoints);
    } else {
      walk = WalkAllNodes(text, size, leads);
      marks.checkpoints.reserve(walk.comments.size());
      FilteredCursor cursor;
      for (const SgfWalk::Comment& comment : walk.comments) {
        marks.checkpoints.push_back(utf16 ? 0 : cursor.KeptBefore(text, comment.nodeEnd));
      }
    }
  }
  const bool removals = options.mainLineOnly ? MayHoldRemovals(filtered.Data(), filtered.Size())
                                             : stream.MayHoldRemovalsFiltered();
  const MoveCodeList codes = ScanSgfTextMarked(filtered.Data(), filtered.Size(), removals, &marks);
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
