// Loads a generated 10 MB SGF collection through ReadRecordFile into a GameRecord, next
// to a plain read of the same file (what cat does), lists its games and opens its last
// one alone, and replays one long game full of captures. Set TAVUNE_BENCH_RECORD=PATH to keep the generated record at PATH;
// "--load-once PATH" then loads it once and exits (see main).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "formats/move_code.h"
#include "formats/sgf_game_list.h"
#include "formats/record_text.h"
#include "platform/record_file_io.h"
#include "record/game_record.h"

namespace {

constexpr std::size_t kRecordBytes = 10 * 1000 * 1000;

// Whether the group of the stone at (x, y) has a liberty.
bool HasLiberty(const Position& board, int x, int y) {
  const Stone colour = board.At(x, y);
  bool seen[kPointCount] = {};
  std::vector<int> stack{y * kBoardSize + x};
  seen[stack.back()] = true;
  while (!stack.empty()) {
    const int at = stack.back();
    stack.pop_back();
    const int px = at % kBoardSize;
    const int py = at / kBoardSize;
    const int nx[] = {px - 1, px, px + 1, px};
    const int ny[] = {py, py - 1, py, py + 1};
    for (int i = 0; i < 4; ++i) {
      if (nx[i] < 0 || ny[i] < 0 || nx[i] >= kBoardSize || ny[i] >= kBoardSize) continue;
      const int next = ny[i] * kBoardSize + nx[i];
      if (board.cells[next] == Empty) return true;
      if (board.cells[next] == colour && !seen[next]) {
        seen[next] = true;
        stack.push_back(next);
      }
    }
  }
  return false;
}

// Plays colour at (x, y) when the point is empty and the stone is not left without a
// liberty after its captures; false otherwise, with the board unchanged.
bool TryPlay(Position& board, int x, int y, int colour) {
  if (board.At(x, y) != Empty) return false;
  board.Set(x, y, static_cast<Stone>(colour));
  board.Capture(x, y);
  // Had it captured, it would have a liberty; so nothing else changed.
  if (HasLiberty(board, x, y)) return true;
  board.Set(x, y, Empty);
  return false;
}

// Random play without suicide, captures applied, as MoveCodes that all apply. A side
// with no move passes; the game ends early only when both must pass.
MoveCodeList RandomGame(std::mt19937& random, int moves) {
  Position board;
  board.Clear();
  MoveCodeList codes;
  codes.reserve(static_cast<std::size_t>(moves));
  int colour = Black;
  int passes = 0;
  while (static_cast<int>(codes.size()) < moves && passes < 2) {
    bool played = false;
    for (int attempt = 0; attempt < 400 && !played; ++attempt) {
      const int x = static_cast<int>(random() % kBoardSize);
      const int y = static_cast<int>(random() % kBoardSize);
      played = TryPlay(board, x, y, colour);
      if (played) codes.push_back(MakeMoveCode(colour, x, y));
    }
    for (int at = 0; at < kPointCount && !played; ++at) {
      played = TryPlay(board, at % kBoardSize, at / kBoardSize, colour);
      if (played) codes.push_back(MakeMoveCode(colour, at % kBoardSize, at / kBoardSize));
    }
    passes = played ? 0 : passes + 1;
    colour = colour == Black ? White : Black;
  }
  return codes;
}

std::string PointLetters(MoveCode code) {
  return {static_cast<char>('a' + code / 100 % 100), static_cast<char>('a' + code % 100)};
}

// A collection of games as editors write them: a header of game properties, sometimes
// handicap stones, moves a node each with a line break every ten, some comments.
std::string GeneratedCollection() {
  std::mt19937 random(7);
  std::string text;
  text.reserve(kRecordBytes + 8192);
  for (int game = 0; text.size() < kRecordBytes; ++game) {
    text += "(;GM[1]FF[4]CA[UTF-8]AP[Generator:1]SZ[19]KM[6.5]RU[Japanese]\n";
    text += "PB[Player " + std::to_string(game % 97) + "]BR[3d]PW[Player " +
            std::to_string(game % 89) + "]WR[2d]DT[2024-03-" + std::to_string(game % 28 + 1) +
            "]RE[B+Resign]\n";
    if (game % 5 == 0) text += "HA[2]AB[dp][pd]\n";
    const MoveCodeList moves = RandomGame(random, 150 + static_cast<int>(random() % 150));
    for (std::size_t i = 0; i < moves.size(); ++i) {
      text += moves[i] / 10000 == Black ? ";B[" : ";W[";
      text += PointLetters(moves[i]) + "]";
      if (i % 40 == 39) text += "C[A quiet move; the fight moves to the other side.]";
      if (i % 10 == 9) text += "\n";
    }
    text += ")\n";
  }
  return text;
}

class RecordFile {
 public:
  RecordFile() {
    const char* keep = std::getenv("TAVUNE_BENCH_RECORD");
    keep_ = keep != nullptr && *keep != '\0';
    path_ = keep_ ? std::string(keep)
                  : (std::filesystem::temp_directory_path() /
                     ("tavune-bench-" + std::to_string(getpid()) + ".sgf"))
                        .string();
    const std::string text = GeneratedCollection();
    std::ofstream(path_, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
    size_ = text.size();
  }
  ~RecordFile() {
    if (!keep_) std::remove(path_.c_str());
  }
  const std::string& Path() const { return path_; }
  std::size_t Size() const { return size_; }

 private:
  std::string path_;
  std::size_t size_ = 0;
  bool keep_ = false;
};

const RecordFile& TheRecordFile() {
  static const RecordFile file;
  return file;
}

// What cat does: read the file through a 128 KiB buffer and drop the bytes.
void BM_ReadFilePlain(benchmark::State& state) {
  const RecordFile& file = TheRecordFile();
  std::vector<char> buffer(128 * 1024);
  for (auto _ : state) {
    const int fd = open(file.Path().c_str(), O_RDONLY);
    std::size_t total = 0;
    for (ssize_t got; (got = read(fd, buffer.data(), buffer.size())) > 0;) {
      total += static_cast<std::size_t>(got);
    }
    close(fd);
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.Size()));
}
BENCHMARK(BM_ReadFilePlain)->Unit(benchmark::kMillisecond);

// The same file opened as the program opens it, into one GameRecord that is kept from
// load to load, as the program's one record is.
void BM_LoadRecord(benchmark::State& state) {
  const RecordFile& file = TheRecordFile();
  GameRecord record;
  // Once before the clock: the first load into a record is measured on its own below.
  record.Load(file.Path().c_str());
  for (auto _ : state) {
    record.Load(file.Path().c_str());
    benchmark::DoNotOptimize(record.mainCount);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.Size()));
  state.counters["positions"] = record.mainCount;
}
BENCHMARK(BM_LoadRecord)->Unit(benchmark::kMillisecond);

// The same load with the notes the information pane shows: game information, move numbers
// and every comment placed on its Position.
void BM_LoadRecordWithNotes(benchmark::State& state) {
  const RecordFile& file = TheRecordFile();
  GameRecord record;
  ReadOptions options;
  options.notes = true;
  record.Load(file.Path().c_str(), options);
  for (auto _ : state) {
    record.Load(file.Path().c_str(), options);
    benchmark::DoNotOptimize(record.mainCount);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.Size()));
  state.counters["positions"] = record.mainCount;
  state.counters["moves"] = record.Notes().TotalMoves();
}
BENCHMARK(BM_LoadRecordWithNotes)->Unit(benchmark::kMillisecond);

// The first load into a new GameRecord, Positions created as they are needed.
void BM_LoadRecordIntoNewRecord(benchmark::State& state) {
  const RecordFile& file = TheRecordFile();
  for (auto _ : state) {
    GameRecord record;
    record.Load(file.Path().c_str());
    benchmark::DoNotOptimize(record.mainCount);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.Size()));
}
BENCHMARK(BM_LoadRecordIntoNewRecord)->Unit(benchmark::kMillisecond);

std::string FileBytes(const RecordFile& file);

// The list of the collection's games, as main-line reading shows it before one is read.
void BM_ListGames(benchmark::State& state) {
  const RecordFile& file = TheRecordFile();
  std::size_t games = 0;
  for (auto _ : state) {
    games = ListSgfGames(file.Path().c_str()).size();
    benchmark::DoNotOptimize(games);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.Size()));
  state.counters["games"] = static_cast<double>(games);
}
BENCHMARK(BM_ListGames)->Unit(benchmark::kMillisecond);

ReadOptions MainLineOf(int game) {
  ReadOptions options;
  options.mainLineOnly = true;
  options.game = game;
  return options;
}

// The collection's last game, read along its main line, as the list opens it: the walk
// passes every game before it.
void BM_OpenGameFromList(benchmark::State& state) {
  const RecordFile& file = TheRecordFile();
  const int last = static_cast<int>(ListSgfGames(file.Path().c_str()).size()) - 1;
  GameRecord record;
  for (auto _ : state) {
    record.Load(file.Path().c_str(), MainLineOf(last));
    benchmark::DoNotOptimize(record.mainCount);
  }
  state.counters["positions"] = record.mainCount;
}
BENCHMARK(BM_OpenGameFromList)->Unit(benchmark::kMillisecond);

// The same game alone in a file of its own, read the same way: what the list's game
// would cost without the collection around it.
void BM_OpenOneGameFile(benchmark::State& state) {
  const std::string text = FileBytes(TheRecordFile());
  const std::string path = TheRecordFile().Path() + ".last.sgf";
  std::ofstream(path, std::ios::binary) << text.substr(text.rfind("(;GM[1]"));
  GameRecord record;
  for (auto _ : state) {
    record.Load(path.c_str(), MainLineOf(0));
    benchmark::DoNotOptimize(record.mainCount);
  }
  std::remove(path.c_str());
  state.counters["positions"] = record.mainCount;
}
BENCHMARK(BM_OpenOneGameFile)->Unit(benchmark::kMillisecond);

// The load in its stages, each over the same file, to say where its time goes.

// The file delivered in 256-byte chunks to a sink that only counts them.
void BM_LoadStageReadChunks(benchmark::State& state) {
  const RecordFile& file = TheRecordFile();
  for (auto _ : state) {
    std::size_t total = 0;
    platform::ReadFileChunks(file.Path().c_str(),
                             [&total](const unsigned char*, std::size_t size) { total += size; });
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.Size()));
}
BENCHMARK(BM_LoadStageReadChunks)->Unit(benchmark::kMillisecond);

std::string FileBytes(const RecordFile& file) {
  std::ifstream in(file.Path(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The byte filter over the file's bytes, 256 at a time, into a new text that has room
// for them from the start: the filter alone, without the growing of the text.
void BM_LoadStageFilter(benchmark::State& state) {
  const std::string bytes = FileBytes(TheRecordFile());
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  for (auto _ : state) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size(); at += 256) {
      AppendSgfBytes(text, data + at, std::min<std::size_t>(256, bytes.size() - at));
    }
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadStageFilter)->Unit(benchmark::kMillisecond);

std::string FilteredText() {
  const std::string bytes = FileBytes(TheRecordFile());
  std::string text;
  AppendSgfBytes(text, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  return text;
}

// The scan of the filtered text into MoveCodes.
void BM_LoadStageScan(benchmark::State& state) {
  const std::string text = FilteredText();
  std::size_t codes = 0;
  for (auto _ : state) {
    codes = ScanSgfText(text).size();
    benchmark::DoNotOptimize(codes);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.counters["codes"] = static_cast<double>(codes);
}
BENCHMARK(BM_LoadStageScan)->Unit(benchmark::kMillisecond);

// The replay of the scanned MoveCodes into a kept pool: most meet occupied points.
void BM_LoadStageReplay(benchmark::State& state) {
  const MoveCodeList codes = ScanSgfText(FilteredText());
  PositionPool pool;
  for (auto _ : state) {
    PositionAt(pool, 0).Clear();
    benchmark::DoNotOptimize(ReplayMoveCodes(pool, codes));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * codes.size()));
}
BENCHMARK(BM_LoadStageReplay)->Unit(benchmark::kMillisecond);

// One long game of random play on the whole board: the board stays crowded, so stones
// keep touching groups of the other colour and many of them are captured.
const MoveCodeList& LongGame() {
  static const MoveCodeList codes = [] {
    std::mt19937 random(11);
    return RandomGame(random, 200000);
  }();
  return codes;
}

void BM_ReplayCaptures(benchmark::State& state) {
  const MoveCodeList& codes = LongGame();
  PositionPool pool;
  int applied = 0;
  for (auto _ : state) {
    PositionAt(pool, 0).Clear();
    applied = ReplayMoveCodes(pool, codes) - 1;
    benchmark::DoNotOptimize(applied);
  }
  state.SetItemsProcessed(state.iterations() * applied);
  // How many moves took stones off: the game is worth its name.
  int captures = 0;
  for (int i = 1; i <= applied; ++i) {
    int before = 0;
    int after = 0;
    for (int p = 0; p < kPointCount; ++p) {
      before += pool[static_cast<std::size_t>(i) - 1]->cells[p] != Empty;
      after += pool[static_cast<std::size_t>(i)]->cells[p] != Empty;
    }
    captures += after <= before ? 1 : 0;
  }
  state.counters["capturing_moves"] = captures;
}
BENCHMARK(BM_ReplayCaptures)->Unit(benchmark::kMillisecond);

// Games of ordinary length, each replayed from the empty board: the groups stay
// smaller than in the long game.
void BM_ReplayGames(benchmark::State& state) {
  static const std::vector<MoveCodeList> games = [] {
    std::mt19937 random(13);
    std::vector<MoveCodeList> made;
    for (int i = 0; i < 200; ++i) made.push_back(RandomGame(random, 250));
    return made;
  }();
  PositionPool pool;
  std::int64_t applied = 0;
  for (auto _ : state) {
    for (const MoveCodeList& game : games) {
      PositionAt(pool, 0).Clear();
      applied += ReplayMoveCodes(pool, game) - 1;
    }
  }
  state.SetItemsProcessed(applied);
}
BENCHMARK(BM_ReplayGames)->Unit(benchmark::kMillisecond);

// Bytes held by the heap per pooled Position (the Position itself, its allocation's
// overhead and its share of the pool's array of pointers), against sizeof(Position).
void BM_MemoryPerPosition(benchmark::State& state) {
  constexpr int kPositions = 200000;
  double perPosition = 0;
  for (auto _ : state) {
    const struct mallinfo2 before = mallinfo2();
    {
      PositionPool pool;
      PositionAt(pool, kPositions - 1);
      const struct mallinfo2 after = mallinfo2();
      const double held = static_cast<double>((after.uordblks + after.hblkhd) -
                                              (before.uordblks + before.hblkhd));
      perPosition = held / kPositions;
    }
  }
  state.counters["bytes_per_position"] = perPosition;
  state.counters["sizeof_position"] = sizeof(Position);
  state.counters["ratio"] = perPosition / sizeof(Position);
}
BENCHMARK(BM_MemoryPerPosition)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

// Loads FILE plainly and with its notes, one after the other, `rounds` times, each into a
// record of its own, and prints the fastest of each: taken in turns, both meet the same
// moments of a machine whose speed drifts (a shared virtual machine's does, by half).
int CompareNotes(const char* file, int rounds) {
  GameRecord plain;
  GameRecord noted;
  ReadOptions options;
  options.notes = true;
  double fastestPlain = 1e9;
  double fastestNoted = 1e9;
  using Clock = std::chrono::steady_clock;
  for (int i = 0; i < rounds; ++i) {
    const auto t0 = Clock::now();
    plain.Load(file);
    const auto t1 = Clock::now();
    noted.Load(file, options);
    const auto t2 = Clock::now();
    fastestPlain = std::min(fastestPlain, std::chrono::duration<double, std::milli>(t1 - t0).count());
    fastestNoted = std::min(fastestNoted, std::chrono::duration<double, std::milli>(t2 - t1).count());
  }
  std::printf("fastest of %d in turns: plain %.2f ms, with notes %.2f ms (%+.0f %%)\n", rounds,
              fastestPlain, fastestNoted, 100 * (fastestNoted / fastestPlain - 1));
  return 0;
}

// "record_bench --load-once FILE" loads FILE into a new GameRecord and exits: one cold
// load in a fresh process, to be timed next to cat of the same file; "--load-once-notes
// FILE" the same with the notes, for counting the instructions of each. "record_bench
// --compare-notes FILE" compares the load with notes and without, in turns.
int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--compare-notes") return CompareNotes(argv[2], 40);
  if (argc == 3 && std::string(argv[1]) == "--load-once") {
    GameRecord record;
    record.Load(argv[2]);
    return record.mainCount > 1 ? 0 : 1;
  }
  if (argc == 3 && std::string(argv[1]) == "--load-once-notes") {
    GameRecord record;
    ReadOptions options;
    options.notes = true;
    record.Load(argv[2], options);
    return record.mainCount > 1 ? 0 : 1;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
