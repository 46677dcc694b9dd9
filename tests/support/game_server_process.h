// Starts vantorel-server on 127.0.0.1 with a free port and a data folder,
// waits for its "listening on" line, keeps the lines it prints (one per
// request) and stops it when done (SIGTERM, SIGKILL if it will not go).
// Header-only, so that any test can use it. Bash tests: game_server.sh.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "support/stop_child.h"

class GameServerProcess {
public:
    // binary: the vantorel-server executable; extraArgs go after --listen and --data.
    GameServerProcess(const std::string& binary, const std::filesystem::path& dataDir,
                      const std::vector<std::string>& extraArgs = {}) {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
        std::vector<std::string> args = {binary, "--listen", "127.0.0.1:0", "--data", dataDir.string()};
        args.insert(args.end(), extraArgs.begin(), extraArgs.end());
        pid_ = fork();
        if (pid_ == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlive the test
            dup2(fds[1], STDOUT_FILENO);
            std::vector<char*> argv;
            for (std::string& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(binary.c_str(), argv.data());
            _exit(127);
        }
        close(fds[1]);
        if (pid_ < 0) {
            close(fds[0]);
            throw std::runtime_error("fork failed");
        }
        reader_ = std::thread([this, fd = fds[0]] { ReadLines(fd); });
        const std::string prefix = "listening on ";
        if (!WaitForLine([&](const std::string& l) { return l.rfind(prefix, 0) == 0; },
                         std::chrono::seconds(10))) {
            Stop();
            throw std::runtime_error("vantorel-server did not start");
        }
        std::lock_guard lock(mutex_);
        url_ = lines_.front().substr(prefix.size());
        lines_.erase(lines_.begin());
    }
    ~GameServerProcess() { Stop(); }
    GameServerProcess(const GameServerProcess&) = delete;
    GameServerProcess& operator=(const GameServerProcess&) = delete;

    // "http://127.0.0.1:PORT"
    const std::string& Url() const { return url_; }
    int Port() const { return std::stoi(url_.substr(url_.rfind(':') + 1)); }
    pid_t Pid() const { return pid_; }

    std::vector<std::string> Lines() {
        std::lock_guard lock(mutex_);
        return lines_;
    }
    // Waits until a printed line matches; false after the timeout or when the server ended.
    bool WaitForLine(const std::function<bool(const std::string&)>& match,
                     std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] {
            for (const std::string& l : lines_)
                if (match(l)) return true;
            return ended_;
        }) && !ended_;
    }
    bool WaitForLine(const std::string& line, std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
        return WaitForLine([&](const std::string& l) { return l == line; }, timeout);
    }

    // Stops the server; its exit status (0 after a clean stop, 128 + signal when killed).
    int Stop() {
        if (pid_ <= 0) return status_;
        const int raw = StopChild(pid_, SIGTERM, std::chrono::seconds(5));
        pid_ = 0;
        if (reader_.joinable()) reader_.join();
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        return status_;
    }

private:
    void ReadLines(int fd) {
        std::string pending;
        char buffer[4096];
        ssize_t n;
        while ((n = read(fd, buffer, sizeof buffer)) > 0) {
            pending.append(buffer, static_cast<std::size_t>(n));
            std::size_t end;
            while ((end = pending.find('\n')) != std::string::npos) {
                std::lock_guard lock(mutex_);
                lines_.push_back(pending.substr(0, end));
                pending.erase(0, end + 1);
                changed_.notify_all();
            }
        }
        close(fd);
        std::lock_guard lock(mutex_);
        ended_ = true;
        changed_.notify_all();
    }

    pid_t pid_ = 0;
    int status_ = -1;
    std::string url_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> lines_;
    bool ended_ = false;
    std::thread reader_;
};
