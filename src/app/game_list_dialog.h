#pragma once
#include <windows.h>

#include <vector>

#include "formats/sgf_game_list.h"

// The modal list of the games of a collection, from which the user opens one: a filter
// box above a virtual list view whose rows are drawn from the summaries as they are shown.
class GameListDialog {
 public:
  // Keeps the module, the owner and the games; becomes gGameListDialog.
  GameListDialog(HINSTANCE instance, HWND owner, const std::vector<GameSummary>& games);
  ~GameListDialog();
  GameListDialog(const GameListDialog&) = delete;
  GameListDialog& operator=(const GameListDialog&) = delete;

  // Runs the dialog; returns the index of the game chosen (0 is the first), or -1 when it
  // was left with Escape or Cancel.
  int Show();

  // Sets up the columns, shows every game and selects the first. Returns FALSE: the
  // focus is put on the list.
  INT_PTR OnInitDialog(HWND dialog);
  // OK opens the selected game, Cancel nothing; a change of the filter narrows the rows.
  INT_PTR OnCommand(WPARAM wParam);
  // Gives the list the texts of a row, and opens the game double-clicked.
  INT_PTR OnNotify(const NMHDR* header);

 private:
  // Shows the games the filter box lets through and selects the first of them.
  void ApplyFilter();
  // Ends the dialog with the game of list row `row`; nothing for no row.
  void Choose(int row);

  HINSTANCE instance_;
  HWND owner_;
  const std::vector<GameSummary>& games_;
  HWND dialog_ = nullptr;
  HWND list_ = nullptr;
  // The game index of each row the list shows.
  std::vector<int> rows_;
  int chosen_ = -1;
};

// The list being shown, or nullptr.
extern GameListDialog* gGameListDialog;

// Forwards the dialog's messages to gGameListDialog.
INT_PTR CALLBACK GameListDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
