// The log SPS/LOG.TXT: one plain line per event, opened and closed per line.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The replay of the visit to the game screen that ended the log with
// "ERROR": kept, and deleted, together with the log.
constexpr const char* LogReplayFile = "SPS/log.replay";

// Appends text and CR LF to SPS/LOG.TXT; raises EInOutError when it cannot.
void WriteLog(std::string_view text);
// Deletes the log and its replay; missing files are no error.
void DeleteLog();
// True when there is no log or its last line is exactly "OK".
bool LogEndsWithOK();
// The log's lines; nothing when there is no log or it cannot be read.
std::optional<std::vector<std::string>> ReadLogLines();

// Lets a tool watch the lines as they are written (the headless runner prints
// them). Pass an empty function to stop watching.
void SetLogListener(std::function<void(std::string_view)> listener);

// While one lives, every log line goes to its function instead of the file
// and the listener: a replay being played writes nothing into the player's
// log. Diversions nest; the newest wins.
class TLogDiversion {
public:
    explicit TLogDiversion(std::function<void(std::string_view)> to);
    ~TLogDiversion();
    TLogDiversion(const TLogDiversion&) = delete;
    TLogDiversion& operator=(const TLogDiversion&) = delete;

private:
    std::function<void(std::string_view)> previous_;
};
