// Starts tests/support/smtp_sink.py (Debian's aiosmtpd) on a free port of
// 127.0.0.1 for one test, and reads back the messages it stored. With
// VANTOREL_KEEP_MAIL set the stored messages stay (their folder is printed).
#pragma once

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#ifndef VANTOREL_SMTP_SINK_SCRIPT
#error "VANTOREL_SMTP_SINK_SCRIPT must name tests/support/smtp_sink.py"
#endif

extern char** environ;

class SmtpSink {
public:
    // Recipients in refused get "550". When the sink cannot start, port() is
    // 0 and problem() says why.
    explicit SmtpSink(const std::vector<std::string>& refused = {}) {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantorel-sink-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        store_ = pattern;
        Start(refused);
    }
    ~SmtpSink() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            int status = 0;
            waitpid(pid_, &status, 0);
        }
        std::error_code ec;
        if (std::getenv("VANTOREL_KEEP_MAIL"))
            std::fprintf(stderr, "mail sink kept %s\n", store_.c_str());
        else
            std::filesystem::remove_all(store_, ec);
    }
    SmtpSink(const SmtpSink&) = delete;
    SmtpSink& operator=(const SmtpSink&) = delete;

    int port() const { return port_; }
    const std::string& problem() const { return problem_; }
    int MessageCount() const {
        int n = 0;
        while (std::filesystem::is_directory(store_ / std::to_string(n + 1))) ++n;
        return n;
    }
    // A file of message n (1-based): "raw", "body", "header.Subject" ...
    std::string Read(int n, const std::string& file) const {
        std::ifstream in(store_ / std::to_string(n) / file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    void Start(const std::vector<std::string>& refused) {
        int out[2];
        if (pipe(out) != 0) std::abort();
        std::vector<std::string> args = {"/usr/bin/python3", VANTOREL_SMTP_SINK_SCRIPT, "--store",
                                         store_.string()};
        for (const std::string& r : refused) args.insert(args.end(), {"--refuse", r});
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        const int rc = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        if (rc != 0) {
            pid_ = 0;
            problem_ = "/usr/bin/python3 cannot be started";
        } else {
            ReadPort(out[0]);
        }
        close(out[0]);
    }

    // The first line: "listening on 127.0.0.1:PORT", within ten seconds.
    void ReadPort(int fd) {
        std::string line;
        pollfd p{fd, POLLIN, 0};
        while (line.find('\n') == std::string::npos && poll(&p, 1, 10000) > 0) {
            char buffer[256];
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n <= 0) break;
            line.append(buffer, static_cast<std::size_t>(n));
        }
        const std::string prefix = "listening on 127.0.0.1:";
        if (line.rfind(prefix, 0) == 0) port_ = std::atoi(line.c_str() + prefix.size());
        if (port_ == 0) problem_ = "the mail sink did not start: " + (line.empty() ? "no output" : line);
    }

    std::filesystem::path store_;
    pid_t pid_ = 0;
    int port_ = 0;
    std::string problem_;
};
