#pragma once
#include <windows.h>

// Room for the save path: 1000 characters, terminator included.
constexpr int kSavePathCapacity = 1000;

// The application object and the main window in one.
class Frame {
 public:
  Frame(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);
  ~Frame();

  // Start-up, message loop and shutdown; returns the quit message's wParam (0), or a
  // non-zero code when the main window could not be made.
  int Run();

  LRESULT OnShowWindow();
  LRESULT OnClose();
  LRESULT OnDestroy();
  LRESULT OnPaint();
  LRESULT OnCommand(WPARAM wParam);
  void OnCommandAbout();
  void OnCommandExit();
  void OnCommandFileOpen();
  void OnCommandFileSave();
  void OnCommandFileSaveAs();
  // Gives the main window the outer size of the current view size, keeping its top-left,
  // then resizes the board window and the toolbar.
  void ResizeToView();

  HINSTANCE Instance() const { return instance_; }
  HWND MainWindow() const { return mainWindow_; }
  const char* SavePath() const { return savePath_; }

 private:
  HINSTANCE instance_;
  LPSTR commandLine_;
  int showCommand_;
  HWND mainWindow_ = nullptr;
  char savePath_[kSavePathCapacity] = {};
};

extern Frame* gFrame;

LRESULT CALLBACK FrameWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
