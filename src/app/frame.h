#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "formats/sgf_game_list.h"

// Room for the save path: 1000 UTF-16 units, terminator included.
constexpr int kSavePathCapacity = 1000;

// Posted by start-up to the main window when the record named on the command line is a
// collection whose game the user chooses: its list needs the window shown as its owner.
constexpr UINT kOpenStartupCollection = WM_APP + 1;

// The application object and the main window in one.
class Frame {
 public:
  // Keeps WinMain's arguments, the command line in UTF-8 (the previous instance is
  // ignored); becomes gFrame.
  Frame(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);
  ~Frame();

  // Start-up, message loop and shutdown; returns the quit message's wParam (0), or a
  // non-zero code when the main window could not be made or the message loop failed.
  int Run();

  // Creates the board window, then the toolbar, then the information pane if it is shown.
  // Returns 0.
  LRESULT OnShowWindow();
  // Copies the window's left, top and the view size into the settings unless minimised.
  LRESULT OnClose();
  // Ends the message loop. Returns 0.
  LRESULT OnDestroy();
  // Fills what the child windows leave uncovered with the menu-bar colour. Returns 0.
  LRESULT OnPaint();
  // Performs the command in the low word of wParam; an unknown id does nothing. Returns 0.
  LRESULT OnCommand(WPARAM wParam);
  // Shows the version dialog and traces the button that ended it.
  void OnCommandAbout();
  // Closes the main window as its close box does.
  void OnCommandExit();
  // Loads the file chosen in the Open dialog; a cancel changes nothing.
  void OnCommandFileOpen();
  // Writes to the name chosen in Save As for the record shown, without asking; without
  // one, runs Save As.
  void OnCommandFileSave();
  // Lets the user choose the save path, then writes to it; a cancel changes nothing.
  void OnCommandFileSaveAs();
  // Takes the DPI that Windows gives when the window moves to a monitor of another scale:
  // the board, the toolbar and the window take its sizes, the window at the suggested
  // top-left. Returns 0.
  LRESULT OnDpiChanged(WPARAM wParam, const RECT* suggested);
  // Tells Windows the outer size the window will take at the coming DPI, so that the
  // place it suggests fits that size. Returns TRUE.
  LRESULT OnGetDpiScaledSize(WPARAM wParam, SIZE* size);
  // Shows the games of the collection named on the command line, then opens the one chosen.
  // Returns 0.
  LRESULT OnOpenStartupCollection();
  // Fits the client area to the toolbar and the board anew once a minimised window is
  // restored: a change of scale or of the menu font while it was minimised found no client
  // area to measure. Returns 0.
  LRESULT OnSize(WPARAM kind);
  // Fits the client area anew after a change of the menu font, the text size or the theme,
  // which may wrap the menu bar to another number of lines.
  void OnMetricsChanged();
  // Gives the main window the outer size of the current view size and pane, keeping its
  // top-left, then resizes the board window, the toolbar and the pane. The window may end
  // up taller than OuterHeight: where the menu bar wraps to more lines, it grows by them.
  void ResizeToView();

  // The program's module, through which every resource is loaded.
  HINSTANCE Instance() const { return instance_; }
  // The main window while it exists, else nullptr.
  HWND MainWindow() const { return mainWindow_; }
  // The name of this run's last Save As, as the dialog gave it; empty until then.
  const wchar_t* SavePath() const { return savePath_; }
  // The file of the record shown, in UTF-8 as the command line, Open or a drop named it;
  // empty for a new game. Re-reading it from there leaves the save path alone.
  const std::string& RecordPath() const { return recordPath_; }
  // The game of a collection read for the record shown: 0 for the first or only one.
  int RecordGame() const { return recordGame_; }
  // Notes the record shown: its file and the game read of it.
  void SetRecordShown(const std::string& path, int game) {
    recordPath_ = path;
    recordGame_ = game;
  }
  // Another record now shows (New, Open, a drop, the command line): the next Save asks for
  // a name, whose dialog still proposes the save path.
  void ForgetSaveTarget() { saveTargetChosen_ = false; }

 private:
  // Changes the window's height and width by what its client area lacks of the toolbar
  // and the whole board, or has too much of: a menu bar wrapped to more lines than the
  // outer size allows for would hide the bottom of the board.
  void FitClientArea();

  HINSTANCE instance_;
  LPSTR commandLine_;
  int showCommand_;
  HWND mainWindow_ = nullptr;
  wchar_t savePath_[kSavePathCapacity] = {};
  std::string recordPath_;
  int recordGame_ = 0;
  // The games of the collection named on the command line, until the user chooses one.
  std::vector<GameSummary> startupGames_;
  // The save path was chosen for the record shown: Save writes there without asking.
  bool saveTargetChosen_ = false;
  // The window was minimised at its last WM_SIZE: the next other size is a restore.
  bool minimised_ = false;
};

// The Frame of this run; set by its constructor, cleared by its destructor.
extern Frame* gFrame;

// The main window's procedure: forwards the messages it handles to gFrame's handlers.
LRESULT CALLBACK FrameWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
