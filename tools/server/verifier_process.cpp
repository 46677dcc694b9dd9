// Starting, feeding, reading and ending a verifier process.
#include "verifier_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace {

// The most of its output that is read: one line of a verdict.
constexpr std::size_t kMaxAnswerBytes = 4096;

// A file descriptor closed when it goes.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { Close(); }
    Fd(Fd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return fd_; }
    void Close() {
        if (fd_ >= 0) close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

// The input in a file of memory only, read from its start: no pipe to keep
// fed, and nothing left on disk.
Fd InputFile(std::string_view input) {
    Fd fd(memfd_create("vantorel-replay", MFD_CLOEXEC));
    if (fd.Get() < 0) Fail("memfd_create");
    for (std::size_t done = 0; done < input.size();) {
        const ssize_t n = write(fd.Get(), input.data() + done, input.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) Fail("writing the replay");
        done += static_cast<std::size_t>(n);
    }
    if (lseek(fd.Get(), 0, SEEK_SET) != 0) Fail("lseek");
    return fd;
}

pid_t Spawn(const std::vector<std::string>& argv, int input, int output) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    // Nothing of the server's (its sockets, its database) passes on.
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, argv.at(0).c_str(), &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        errno = rc;
        Fail("cannot start " + argv[0]);
    }
    return pid;
}

// Reads until the output ends, the limit passes or a stop is asked for.
VerifierRun::Ending Read(int fd, std::string& out, std::chrono::steady_clock::time_point deadline,
                         const std::stop_token& stop) {
    char buffer[1024];
    while (true) {
        if (stop.stop_requested()) return VerifierRun::Stopped;
        if (std::chrono::steady_clock::now() >= deadline) return VerifierRun::TimedOut;
        pollfd p{fd, POLLIN, 0};
        const int ready = poll(&p, 1, 50);
        if (ready <= 0) continue;
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return VerifierRun::Answered;  // the end of its output
        if (out.size() < kMaxAnswerBytes) out.append(buffer, static_cast<std::size_t>(n));
    }
}

// Waits for the process to end; one that outlasts the limit (or the server)
// after its output ended is killed as well. Returns its wait status.
int Reap(pid_t pid, VerifierRun::Ending& ending, std::chrono::steady_clock::time_point deadline,
         const std::stop_token& stop) {
    int status = 0;
    while (ending == VerifierRun::Answered) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR)) return status;
        if (stop.stop_requested()) ending = VerifierRun::Stopped;
        if (std::chrono::steady_clock::now() >= deadline) ending = VerifierRun::TimedOut;
        usleep(5000);
    }
    kill(pid, SIGKILL);
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

}  // namespace

VerifierRun RunVerifier(const std::vector<std::string>& argv, std::string_view input,
                        std::chrono::milliseconds wallLimit, std::stop_token stop) {
    const auto start = std::chrono::steady_clock::now();
    Fd in = InputFile(input);
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) Fail("pipe2");
    Fd readEnd(fds[0]), writeEnd(fds[1]);
    const pid_t pid = Spawn(argv, in.Get(), writeEnd.Get());
    writeEnd.Close();
    in.Close();

    VerifierRun run;
    std::string out;
    run.ending = Read(readEnd.Get(), out, start + wallLimit, stop);
    const int status = Reap(pid, run.ending, start + wallLimit, stop);
    run.ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
                 .count();
    run.line = out.substr(0, out.find('\n'));
    if (run.ending != VerifierRun::Answered) return run;
    if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
    if (WIFEXITED(status)) run.exitStatus = WEXITSTATUS(status);
    if (run.signal != 0 || run.exitStatus != 0 || run.line.empty()) run.ending = VerifierRun::Failed;
    return run;
}
