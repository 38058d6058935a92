// How long a step takes to show with the information pane and the last-move mark on,
// against both off: the command and every repaint it causes, timed on the program's
// thread. Prints figures and asserts nothing; disabled, it runs only from
// bench/info_pane_timings.sh. Built into gui_tests.exe for its harness.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "../../tests/gui/frame_test_support.h"
#include "resource.h"

namespace {

// 250 moves, of which two in three carry a comment of 60 or 150 characters, and a game
// comment of 150: the comments change at every step. Shift-JIS without CA, as the tests'
// texts are compiled.
std::string LongRecord() {
  const std::string line = "この手で形勢は互角に戻ったが、黒の構えにはまだ余裕がある。";
  const std::string notes[] = {"", line + line, line + line + line + line + line};
  std::string sgf = "(;PB[余正麒]BR[十段]PW[表]KM[6.5]GC[" + notes[2] + "]";
  unsigned seed = 7;
  for (int i = 0; i < 250; ++i) {
    seed = seed * 1103515245u + 12345u;
    const char x = static_cast<char>('a' + (seed >> 16) % 19);
    const char y = static_cast<char>('a' + (seed >> 24) % 19);
    sgf += std::string(i % 2 ? ";W[" : ";B[") + x + y + "]";
    if (i % 3) sgf += "C[" + notes[i % 3] + "]";
  }
  return sgf + ")";
}

struct StepTimes {
  std::vector<double> shown;     // the command, and the board and the move line painted
  std::vector<double> comments;  // then the comments laid out and painted
};

// n steps by the command id, each shown whole before the next, in ms.
StepTimes TimeSteps(AppHarness& app, int id, int n) {
  StepTimes times;
  app.OnUiThread([&] {
    LARGE_INTEGER frequency, start, shown, end;
    QueryPerformanceFrequency(&frequency);
    auto ms = [&](LARGE_INTEGER from, LARGE_INTEGER to) {
      return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
             static_cast<double>(frequency.QuadPart);
    };
    HWND pane = FindWindowExA(app.Main(), nullptr, "TAVUNEINFO", nullptr);
    for (int i = 0; i < n; ++i) {
      QueryPerformanceCounter(&start);
      SendMessageW(app.Main(), WM_COMMAND, id, 0);
      RedrawWindow(app.Main(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
      QueryPerformanceCounter(&shown);
      // What the pane's timer would do next.
      if (pane) SendMessageW(pane, WM_TIMER, 1, 0);
      RedrawWindow(app.Main(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
      QueryPerformanceCounter(&end);
      times.shown.push_back(ms(start, shown));
      times.comments.push_back(ms(shown, end));
    }
  });
  return times;
}

void Report(const char* what, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  std::printf("%-36s median %5.2f ms, 90th %5.2f ms, max %5.2f ms (%zu steps)\n", what,
              times[times.size() / 2], times[times.size() * 9 / 10], times.back(), times.size());
}

}  // namespace

TEST(InfoPaneTimings, DISABLED_StepsWithAndWithoutThePaneAndTheMark) {
  for (const int view : {ID_VIEW_MIDDLE, ID_VIEW_LARGE_VERY}) {
    for (const bool on : {false, true}) {
      StoreSettings(0, 0, view);
      if (on) {
        WriteSettingDword("InfoPane", 1);
        WriteSettingDword("LastMoveMark", 1);
      }
      AppHarness app(MakeRecordFile("bench", LongRecord()));
      app.Command(ID_LOOK_HOME);
      app.PaintNow();
      const std::string what = std::string(view == ID_VIEW_MIDDLE ? "medium" : "largest") +
                               (on ? ", pane and mark on" : ", both off");
      for (const int id : {ID_LOOK_NEXT, ID_LOOK_BACK}) {
        const StepTimes times = TimeSteps(app, id, 240);
        const std::string way = id == ID_LOOK_NEXT ? "forward, " : "back,    ";
        Report((way + what).c_str(), times.shown);
        if (on) Report("  then the comments", times.comments);
      }
      app.Close();
    }
  }
  DeleteSettingsKey();
}
