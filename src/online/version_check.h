// The program's version and the check of the game server's version file
// (line 1 the newest version, line 2 the address of its download page).
#pragma once

#include <string>
#include <string_view>

constexpr std::string_view ProgramVersion = "1.07";

struct TVersionReply {
    enum class TKind {
        Nothing,  // fewer than two lines, or a reply that is not a version file: say nothing
        Latest,   // the running version is the latest one
        Newer,    // Version is newer than the running one; Address is its download page
    };
    TKind Kind = TKind::Nothing;
    std::string Version;
    std::string Address;  // line 2 as the file has it
    std::string Url;      // the address the browser gets: line 2, "http://" put before a bare host
};

// Compares line 1 with the running version byte by byte (a longer text with
// the same beginning is greater, so "1.07 " counts as newer, and an empty line
// older). A first line that is not a short printable version text, or for a
// newer version a second line that is neither a sane http or https address
// nor a host and path without a scheme, gives Nothing: an error page is no
// new version.
TVersionReply EvaluateVersionReply(std::string_view text, std::string_view running = ProgramVersion);

// "There is a new version (...) of this program available at ... Would you
// like to go to that website to download the new version?"
std::string NewVersionQuestion(const TVersionReply& reply);
constexpr const char* LatestVersionMessage = "The version you are running is the latest available one.";
