// The command line of vantorel-server.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// What a replay's verification may cost at most.
struct ReplayCaps {
    std::int64_t steps = 300000;  // game steps (100 minutes of play)
    int seconds = 20;             // processor time
    int memoryMib = 512;          // address space
};

// The verification of one replay (--verify-replay): the replay's file ("-":
// standard input) and what its publication claims.
struct VerifyReplayJob {
    std::string file;
    std::int32_t score = 0;
    std::int64_t gamesWon = 0;
    std::string statText;
};

struct ServerOptions {
    std::string host = "127.0.0.1";
    int port = 8080;
    std::filesystem::path data;
    std::string database;             // a postgresql:// address; empty: data/scores.sqlite
    std::filesystem::path clockFile;  // empty: the system clock
    bool logHeaders = false;
    int threads = 16;
    bool help = false;
    // Replays: where the game's data lies (empty: looked for beside the
    // server), whether they are taken at all, how many are verified at once,
    // whether only verified scores rank, and how long they are kept.
    std::filesystem::path gameData;
    bool replays = true;
    int verifiers = 2;
    bool verifiedOnly = false;
    int replayDays = 30;
    ReplayCaps caps;
    std::optional<VerifyReplayJob> verify;
};

constexpr const char* ServerUsage =
    "usage: vantorel-server --data DIR [--listen HOST:PORT] [--db postgresql://...] [--log-headers]\n"
    "                      [--threads N] [--clock-file FILE] [--game-data DIR] [--no-replays]\n"
    "                      [--verifiers N] [--verified-only] [--replay-days N] [--replay-steps N]\n"
    "                      [--replay-seconds N] [--replay-memory MIB]\n"
    "  --data DIR          the server's folder: www/ (the pages) and scores.sqlite\n"
    "  --listen HOST:PORT  address to listen on (default 127.0.0.1:8080; port 0 picks a free one;\n"
    "                      [::1]:PORT for IPv6)\n"
    "  --log-headers       add each request's Accept and User-Agent headers to its log line\n"
    "  --threads N         requests served at once (default 16)\n"
    "  --db ADDRESS        keep the ranking list in PostgreSQL (postgresql://user@host/db) instead of\n"
    "                      DIR/scores.sqlite; several servers may share one database\n"
    "  --clock-file FILE   read the time (Unix seconds) from FILE at every publication (for tests)\n"
    "  --game-data DIR     the game's data that replays are verified with (default: beside the\n"
    "                      server, or ../share/vantorel); without it no replays are taken\n"
    "  --no-replays        take no replays\n"
    "  --verifiers N       replays verified at once by this server (default 2; 0: none here)\n"
    "  --verified-only     only scores whose replay was verified rank\n"
    "  --replay-days N     keep replays N days (default 30), those of the best verified scores always\n"
    "  --replay-steps N    the most game steps a replay may hold (default 300000, 100 minutes)\n"
    "  --replay-seconds N  processor seconds a verification may take (default 20)\n"
    "  --replay-memory MIB memory a verification may take (default 512)\n"
    "  --verify-replay FILE --expect SCORE:GAMESWON:STATISTICS\n"
    "                      verify one replay against a publication's claims and print the verdict\n"
    "                      (what the server runs for each replay)\n";

// Throws std::invalid_argument with a message for a bad command line.
ServerOptions ParseServerOptions(const std::vector<std::string>& args);

// "http://host:port", with brackets around an IPv6 host.
std::string ServerUrl(const std::string& host, int port);

// True for the database addresses --db takes: "postgresql://..." and "postgres://...".
bool IsPostgresAddress(const std::string& address);
