#pragma once
// Helpers for the record and format tests: boards drawn as text, a recording stand-in
// for the views, and a private folder for files.
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "record/game_record.h"
#include "record/record_views.h"

namespace record_test {

// Rows of a board drawn as text: "X" black, "O" white, "." empty; blanks are only for
// the eye. Rows shorter than 19 points, and missing rows, are empty.
inline Position Board(std::initializer_list<const char*> rows) {
  Position p;
  p.Clear();
  int y = 0;
  for (const char* row : rows) {
    int x = 0;
    for (const char* c = row; *c != '\0'; ++c) {
      if (*c == ' ') continue;
      p.Set(x, y, *c == 'X' ? Black : *c == 'O' ? White : Empty);
      ++x;
    }
    ++y;
  }
  return p;
}

// The top-left width x height points of p, drawn as Board reads them, one row per line.
inline std::string Drawn(const Position& p, int width = kBoardSize, int height = kBoardSize) {
  std::string text;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Stone s = p.At(x, y);
      text += s == Black ? 'X' : s == White ? 'O' : s == Empty ? '.' : '?';
      text += x + 1 < width ? " " : "\n";
    }
  }
  return text;
}

// The same rows as Board takes, normalised the way Drawn writes them.
inline std::string Rows(std::initializer_list<const char*> rows) {
  const Position p = Board(rows);
  return Drawn(p, static_cast<int>(std::string(*rows.begin()).size() + 1) / 2,
               static_cast<int>(rows.size()));
}

inline bool SameCells(const Position& a, const Position& b) {
  for (int i = 0; i < kPointCount; ++i) {
    if (a.cells[i] != b.cells[i]) return false;
  }
  return true;
}

// Stands in for the shell: keeps every call, in order, as a line of text.
class RecordingViews : public RecordViews {
 public:
  explicit RecordingViews(int cellSize = 32) : cellSize_(cellSize) {}
  void ShowMenuMode(int nextMode) override { calls.push_back("menu " + std::to_string(nextMode)); }
  void ShowToolbarMode(int nextMode) override {
    calls.push_back("toolbar " + std::to_string(nextMode));
  }
  void RepaintBoard(const PixelRect& r) override {
    calls.push_back("repaint " + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                    std::to_string(r.right) + "," + std::to_string(r.bottom));
  }
  int CellSize() const override { return cellSize_; }
  // "save failed" alone for the ordinary failure, which keeps no copy.
  void ReportSaveFailure(const char* keptCopy) override {
    calls.push_back(keptCopy[0] == '\0' ? "save failed"
                                         : std::string("save failed, kept ") + keptCopy);
  }

  std::vector<std::string> calls;

 private:
  int cellSize_;
};

// The cell of the recording views, and the pixel at the centre of a point's column or row.
constexpr int kCell = 32;
inline unsigned PixelOf(int point, int cell = kCell) { return static_cast<unsigned>((point + 1) * cell); }

// The three notification lines for a cursor move to a Position of mode `mode` whose
// changed cells span board pixels (left, top)-(right, bottom).
inline std::vector<std::string> CursorMove(int mode, int left, int top, int right, int bottom) {
  const std::string m = std::to_string(mode);
  return {"menu " + m, "toolbar " + m,
          "repaint " + std::to_string(left) + "," + std::to_string(top) + "," +
              std::to_string(right) + "," + std::to_string(bottom)};
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> serial{0};
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
      path_ = base / ("tavune-test-" + std::to_string(ProcessTag()) + "-" +
                      std::to_string(serial++));
      if (std::filesystem::create_directory(path_)) break;
    }
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The full name of `name` inside the folder, in UTF-8 as the record takes names.
  std::string Path(const std::string& name) const { return (path_ / Named(name)).u8string(); }
  const std::filesystem::path& Root() const { return path_; }

  // Writes bytes to `name` and returns its full name.
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(path_ / Named(name), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return Path(name);
  }

  // The whole content of `name`; empty when it cannot be read.
  std::string Read(const std::string& name) const {
    std::ifstream in(path_ / Named(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  // Names of the entries in the folder (or in its subfolder), sorted, in UTF-8.
  std::vector<std::string> Entries(const std::string& subfolder = "") const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_ / Named(subfolder))) {
      names.push_back(entry.path().filename().u8string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  // Names in tests are UTF-8; on Windows a plain string would be read in the code page.
  static std::filesystem::path Named(const std::string& name) {
    return std::filesystem::u8path(name);
  }
  // Tells apart test programs that run at the same time.
  static unsigned ProcessTag() {
    static const unsigned tag = std::random_device{}();
    return tag;
  }
  std::filesystem::path path_;
};

// Loads `text` as an SGF file into record, through the file layer.
inline void LoadSgfText(GameRecord& record, const TempFolder& folder, const std::string& text,
                        const std::string& name = "record.sgf") {
  record.Load(folder.Write(name, text).c_str());
}

}  // namespace record_test
