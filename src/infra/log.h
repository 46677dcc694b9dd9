// The log SPS/LOG.TXT: one plain line per event, opened and closed per line.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Appends text and CR LF to SPS/LOG.TXT; raises EInOutError when it cannot.
void WriteLog(std::string_view text);
// Deletes the log; a missing file is no error.
void DeleteLog();
// True when there is no log or its last line is exactly "OK".
bool LogEndsWithOK();
// The log's lines; nothing when there is no log or it cannot be read.
std::optional<std::vector<std::string>> ReadLogLines();

// Lets a tool watch the lines as they are written (the headless runner prints
// them). Pass an empty function to stop watching.
void SetLogListener(std::function<void(std::string_view)> listener);
