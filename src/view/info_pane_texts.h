#pragma once
#include <string>

// What the information pane says about the record shown, in UTF-16 with "\r\n" line
// breaks, as the edit controls take it.

// "123手目 / 全250手" on the main line; "変化 125手目 (本譜123手目から)" in the variation.
// "" for a record whose notes could not be gathered: its numbers are unknown.
std::wstring MoveLineText();
// The game information, one line each; only what the record has.
std::wstring GameLinesText();
// The game comment, a blank line and the comments of the main-line Position shown; ""
// in the variation, which has none.
std::wstring CommentText();
