#pragma once
#include <string>
#include <vector>

#include "formats/sgf_game_list.h"

// The games the user must choose from before the named record is read: those of an SGF
// collection (more than one game tree) while main-line reading is on; otherwise none.
std::vector<GameSummary> GamesToChooseFrom(const std::string& name);

// Reads the record as the current options say, and notes it as the record shown, with
// the game read of it. Shows nothing: start-up reads before there is a window.
void ReadRecordShown(const std::string& name, int game);

// The road of a record from the command line, the Open dialog or a drop: with games to
// choose from, their list first (Escape there leaves everything as it was); then the
// record is read and shown whole, and the next Save asks for a name.
void OpenRecordFile(const std::string& name);
// The same, with the games already listed.
void OpenRecordFile(const std::string& name, const std::vector<GameSummary>& games);

// Reads the record shown again from its file, as the options now say: Save still writes
// where it did. A collection read along its main line offers its games again.
void ReadRecordAgain();
