#pragma once
#include <windows.h>
#include <shellapi.h>  // HDROP

#include <atomic>
#include <memory>

#include "drawing/art_image.h"
#include "platform/work_on_thread.h"
#include "view/drawn_bitmap.h"

// The board window: draws the current Position from tile sheets, turns button releases
// into stone entry, and opens files dropped on it.
class ChildGoban {
 public:
  // Makes this the board that gChildGoban designates; creates no window.
  ChildGoban();
  ~ChildGoban();

  // Registers the class and creates and shows the board window.
  void Create();
  // Moves the window right of the toolbar, at the board side of the current view size.
  void Resize();
  // Starts drawing the pictures of the current cell size on a thread of their own where
  // the program ships none of that size, so that they are ready by the first paint.
  void DrawAhead();

  // Draws the label strips the update area reaches and every cell it meets.
  LRESULT OnPaint();
  // Traces only.
  LRESULT OnShowWindow();
  // Places a stone at the released pixel (the low and high words of position).
  LRESULT OnLButtonUp(LPARAM position);
  // Takes off the stone at the released pixel.
  LRESULT OnRButtonUp(LPARAM position);
  // Opens the first dropped file, shows its last Position whole, and frees the drop.
  LRESULT OnDropFiles(HDROP drop);

  // The board window; nullptr before Create.
  HWND Window() const { return window_; }

 private:
  // The tile sheet and the label strips at a cell size the program ships no sheet of,
  // drawn ahead or at the first paint at that size, and kept while the size lasts.
  struct DrawnArt {
    int cell = 0;
    DrawnBitmap tiles;
    DrawnBitmap rowLabels;
    DrawnBitmap columnLabels;
  };

  // The pictures of a cell size, as drawn in memory.
  struct BoardArt {
    int cell = 0;
    ArtImage tiles;
    ArtImage rowLabels;
    ArtImage columnLabels;
  };

  // A drawing ahead for cells of `cell` pixels. Once it is no longer wanted (the size
  // changed again), it stops at its next picture, and nobody reads what it drew.
  struct AheadDrawing {
    explicit AheadDrawing(int c) : cell(c) {}
    const int cell;
    std::atomic<bool> wanted{true};
    BoardArt art;  // written on the drawing's thread
  };

  // The tiles and the label strips for cells of c pixels; reads the masters from instance.
  // With wanted, stops between pictures once it turns false, the art then left with cell 0.
  static BoardArt DrawArt(HINSTANCE instance, int c, const std::atomic<bool>* wanted);
  // Paints the update area from the shipped sheet of the size and the 48-pixel strips.
  void PaintShipped(HDC dc, const RECT& update, int c);
  // Paints the update area from pictures drawn for the cell size c.
  void PaintDrawn(HDC dc, const RECT& update, int c);
  // While the user wants the last move marked, draws the marked tile of the current
  // Position's last stone where the update area meets its cell. tiles holds the tile
  // sheet of cells of c, from which the marked tiles are made once per cell size.
  void PaintLastMoveMark(HDC dc, const RECT& update, HDC tiles, int c);

  HWND window_ = nullptr;
  DrawnArt drawn_;
  // The stone tiles of the sheet with the last-move ring, 6 x 3 cells of markedCell_.
  int markedCell_ = 0;
  DrawnBitmap markedStones_;
  // The latest drawing ahead: its art is written by aheadWork_'s latest work until that is
  // waited for. Each drawing is shared with its thread, so one given up on may finish into
  // it after this forgets it; aheadWork_'s destructor waits for every thread.
  std::shared_ptr<AheadDrawing> ahead_;
  platform::WorkOnThread aheadWork_;
};

// The board of this run; set by its constructor.
extern ChildGoban* gChildGoban;

// The board window's procedure: each handled message goes to gChildGoban and returns 0.
LRESULT CALLBACK ChildGobanWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
