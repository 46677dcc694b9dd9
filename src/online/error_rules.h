// The error-help rules the game server publishes in errors.txt: which help
// page fits the log of a run that did not end cleanly.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// What a rule says about a log: the help page below "errors/" (empty: no
// page) and whether the log is to be kept after the page was shown.
struct TKnownError {
    std::string Page;
    bool KeepLog = false;
};

// The most log lines a rule may look at; a rule asking for more is skipped.
constexpr int MaxRuleLines = 1000;

// True when the rule holds a tag "<name" (letter case ignored).
bool HasRuleTag(std::string_view name, std::string_view rule);
// The value of the tag "<name=...>" as the rule writes it, up to the next
// ">" or the end of the rule; empty when the rule has no such tag. The tag
// name is found without regard to letter case.
std::string GetRuleValue(std::string_view name, std::string_view rule);
// A help page must be a plain name: 1 to 100 letters, digits, ".", "_" or
// "-", without "..", so that a rule cannot lead the player anywhere else.
bool IsHelpPageName(std::string_view page);

// One rule against the log's lines: its page when N consecutive lines hold
// the patterns z1..zN (ending the log if the rule says zl), otherwise no
// page. A rule whose zn is not a number from 1 to the line count (at most
// MaxRuleLines), or whose W is no plain page name, gives no page.
TKnownError MatchErrorRule(std::string_view rule, const std::vector<std::string>& logLines);
// The first rule of the rules text (one per line) that gives a page.
TKnownError FindKnownError(std::string_view rules, const std::vector<std::string>& logLines);
// The same over the log file, read once; no log gives no page.
TKnownError FindKnownError(std::string_view rules);
