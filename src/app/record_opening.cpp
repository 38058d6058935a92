#include "app/record_opening.h"

#include "app/frame.h"
#include "app/game_list_dialog.h"
#include "app/read_options.h"
#include "app/record_display.h"
#include "app/window_settings.h"
#include "formats/file_name.h"
#include "formats/record_reader.h"
#include "record/game_record.h"

std::vector<GameSummary> GamesToChooseFrom(const std::string& name) {
  if (!gWindowSettings->mainLineOnly.on) return {};
  // The list reads the file as the reader does: without the quotes a command line may
  // put around the name, and only for a name the SGF reader takes.
  char cleaned[kFileNameCapacity];
  if (!CleanFileName(cleaned, name.c_str()) || !IsSgfName(cleaned)) return {};
  std::vector<GameSummary> games = ListSgfGames(cleaned);
  if (games.size() < 2) games.clear();
  return games;
}

void ReadRecordShown(const std::string& name, int game) {
  gFrame->SetRecordShown(name, game);
  gGameRecord->Load(name.c_str(), CurrentReadOptions());
}

namespace {

// Lets the user choose one of games, if there are any, then reads and shows the record.
// False when the list was left with Escape: nothing has changed.
bool ChooseAndShow(const std::string& name, const std::vector<GameSummary>& games) {
  int game = 0;
  if (!games.empty()) {
    GameListDialog list(gFrame->Instance(), gFrame->MainWindow(), games);
    game = list.Show();
    if (game < 0) return false;
  }
  ReadRecordShown(name, game);
  ShowWholeRecord();
  return true;
}

}  // namespace

void OpenRecordFile(const std::string& name) { OpenRecordFile(name, GamesToChooseFrom(name)); }

void OpenRecordFile(const std::string& name, const std::vector<GameSummary>& games) {
  // Another record: Save must not write over the file chosen for the one before.
  if (ChooseAndShow(name, games)) gFrame->ForgetSaveTarget();
}

void ReadRecordAgain() {
  // A copy: the read notes the same name again.
  const std::string name = gFrame->RecordPath();
  if (!name.empty()) ChooseAndShow(name, GamesToChooseFrom(name));
}
