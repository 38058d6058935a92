#include "formats/noted_reading.h"

#include <algorithm>

#include "formats/read_text.h"
#include "formats/sgf_walk.h"
#include "formats/text_charset.h"
#include "platform/record_file_io.h"
#include "platform/text_codec.h"

namespace {

// The record's text as its walk reads it: the file's bytes, or their UTF-8 form when a
// byte order mark says UTF-16.
struct RecordText {
  std::string bytes;
  std::string converted;
  int codePage = kUtf8CodePage;

  const unsigned char* Data() const {
    const std::string& text = converted.empty() ? bytes : converted;
    return reinterpret_cast<const unsigned char*>(text.data());
  }
  std::size_t Size() const { return converted.empty() ? bytes.size() : converted.size(); }
};

RecordText TextOfFile(const char* name) {
  RecordText text;
  text.bytes = FileBytes(name);
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.bytes.data());
  std::size_t markLength = 0;
  const int marked = CodePageOfByteOrderMark(bytes, text.bytes.size(), &markLength);
  if (marked == kUtf16LittleCodePage || marked == kUtf16BigCodePage) {
    text.converted = Utf8OfUtf16(bytes + markLength, text.bytes.size() - markLength, marked);
    text.codePage = kUtf8CodePage;
    return text;
  }
  text.codePage = ChooseCodePage(bytes, text.bytes.size(), NamedCodePage(bytes, text.bytes.size()),
                                 platform::CodePageExists);
  return text;
}

// The comments of a walk placed on the Positions that codes made: each with the codes
// before the end of its node, the root's on the starting board.
void PlaceComments(SgfWalk& walk, const SgfScanMarks& marks,
                   const std::vector<std::int32_t>& madeBy, RecordNotes* notes) {
  for (std::size_t i = 0; i < walk.comments.size(); ++i) {
    SgfWalk::Comment& comment = walk.comments[i];
    int position = 0;
    if (!comment.atStart && i < marks.codesBefore.size()) {
      // Position j was made by code madeBy[j - 1]: count the makers before the node's end.
      position = static_cast<int>(
          std::lower_bound(madeBy.begin(), madeBy.end(), marks.codesBefore[i]) - madeBy.begin());
    }
    notes->AddComment(position, std::move(comment.text));
  }
}

}  // namespace

std::string FileBytes(const char* name) { return platform::ReadWholeFile(name); }

std::vector<std::int32_t> MoveNumbersOf(const MoveCodeList& codes, const SgfScanMarks& marks,
                                        const std::vector<std::int32_t>& madeBy, int* total) {
  std::vector<std::int32_t> numbers(madeBy.size() + 1, 0);
  int moves = 0;
  std::size_t pass = 0;
  std::size_t setup = 0;
  std::size_t made = 0;
  for (std::size_t k = 0; k < codes.size(); ++k) {
    const auto index = static_cast<std::int32_t>(k);
    while (pass < marks.passes.size() && marks.passes[pass] <= index) ++moves, ++pass;
    while (setup < marks.setupLists.size() && marks.setupLists[setup].second <= index) ++setup;
    const bool inSetup = setup < marks.setupLists.size() && marks.setupLists[setup].first <= index;
    if (codes[k] / 10000 != Empty && !inSetup) ++moves;
    if (made < madeBy.size() && madeBy[made] == index) numbers[++made] = moves;
  }
  *total = moves + static_cast<int>(marks.passes.size() - pass);
  return numbers;
}

int ReadSgfNoted(PositionPool& mainLine, const char* cleanedName, const ReadOptions& options,
                 RecordNotes* notes) {
  const RecordText text = TextOfFile(cleanedName);
  const LeadBytes leads(text.codePage);
  SgfWalk walk = options.mainLineOnly ? WalkMainLine(text.Data(), text.Size(), leads, options.game)
                                      : WalkAllNodes(text.Data(), text.Size(), leads);
  // The moves come from the pieces of the walk, each filtered as ReadSgf filters a file.
  // Read as one sequence, a UTF-16 file gives the bytes ReadSgf reads: none of its moves.
  const bool fromFileBytes = !options.mainLineOnly && !text.converted.empty();
  ReadText filtered;
  filtered.Reserve(fromFileBytes ? text.bytes.size() : text.Size());
  std::vector<std::size_t> pieceEnds;
  if (fromFileBytes) {
    filtered.AppendKept(reinterpret_cast<const unsigned char*>(text.bytes.data()), text.bytes.size());
    walk.comments.clear();
  } else {
    for (const TextRange& piece : walk.pieces) {
      filtered.AppendKept(text.Data() + piece.begin, piece.end - piece.begin);
      pieceEnds.push_back(filtered.Size());
    }
  }
  SgfScanMarks marks;
  for (const SgfWalk::Comment& comment : walk.comments) {
    marks.checkpoints.push_back(pieceEnds[comment.piece]);
  }
  const MoveCodeList codes = ScanSgfTextMarked(filtered.Data(), filtered.Size(), &marks);
  std::vector<std::int32_t> madeBy;
  const int count = ReplayMoveCodes(mainLine, codes, &madeBy);
  if (!options.notes) return count;

  notes->Begin(text.codePage);
  notes->MutableInfo() = InfoOfRoot(walk.root, text.Data(), leads, text.codePage);
  int total = 0;
  std::vector<std::int32_t> numbers = MoveNumbersOf(codes, marks, madeBy, &total);
  notes->SetMoveNumbers(std::move(numbers), total);
  PlaceComments(walk, marks, madeBy, notes);
  return count;
}
