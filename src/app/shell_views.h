#pragma once
#include "record/record_views.h"

// Connects the record's cursor-move notification to the menu, the toolbar, the board
// window and the information pane, and shows the save-failure message box.
class ShellViews : public RecordViews {
 public:
  void ShowMenuMode(int nextMode) override;
  void ShowToolbarMode(int nextMode) override;
  void RepaintBoard(const PixelRect& rect) override;
  int CellSize() const override;
  void ReportSaveFailure(const char* keptCopy) override;
  void ShowNotes() override;
  bool MarksLastMove() const override;
};
