// The command line of vantorel-server.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct ServerOptions {
    std::string host = "127.0.0.1";
    int port = 8080;
    std::filesystem::path data;
    std::string database;             // a postgresql:// address; empty: data/scores.sqlite
    std::filesystem::path clockFile;  // empty: the system clock
    bool logHeaders = false;
    int threads = 16;
    bool help = false;
};

constexpr const char* ServerUsage =
    "usage: vantorel-server --data DIR [--listen HOST:PORT] [--db postgresql://...] [--log-headers]\n"
    "                      [--threads N] [--clock-file FILE]\n"
    "  --data DIR          the server's folder: www/ (the pages) and scores.sqlite\n"
    "  --listen HOST:PORT  address to listen on (default 127.0.0.1:8080; port 0 picks a free one;\n"
    "                      [::1]:PORT for IPv6)\n"
    "  --log-headers       add each request's Accept and User-Agent headers to its log line\n"
    "  --threads N         requests served at once (default 16)\n"
    "  --db ADDRESS        keep the ranking list in PostgreSQL (postgresql://user@host/db) instead of\n"
    "                      DIR/scores.sqlite; several servers may share one database\n"
    "  --clock-file FILE   read the time (Unix seconds) from FILE at every publication (for tests)\n";

// Throws std::invalid_argument with a message for a bad command line.
ServerOptions ParseServerOptions(const std::vector<std::string>& args);

// "http://host:port", with brackets around an IPv6 host.
std::string ServerUrl(const std::string& host, int port);

// True for the database addresses --db takes: "postgresql://..." and "postgres://...".
bool IsPostgresAddress(const std::string& address);
