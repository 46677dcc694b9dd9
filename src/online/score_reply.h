// The score server's reply: text lines "key=value" (ID, Rang, Alterrang,
// Platz1, wRang, wAlterrang, wPlatz1), keys matched without regard to case.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TScoreReply {
public:
    // The value of the first line whose key matches; empty when there is none.
    std::string Value(std::string_view key) const;

    // Every "key=value" line in order (the key is what stands before the first "=").
    std::vector<std::pair<std::string, std::string>> Lines;
};

// Splits the reply at CR LF, LF or CR; lines without "=" are skipped.
TScoreReply ParseScoreReply(std::string_view text);

// A player identifier as the server hands them out: 1 to 32 letters, digits,
// "_" or "-". Anything else is never stored or sent.
bool IsValidPlayerID(std::string_view id);
