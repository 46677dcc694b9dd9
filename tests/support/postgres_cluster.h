// A throwaway PostgreSQL cluster for tests and benchmarks: initdb in a
// temporary folder, the server on a free port of 127.0.0.1 as a child of
// this process (killed with it), stopped and deleted at the end. When it
// cannot start (no PostgreSQL, no "postgres" user to run it as root), it
// says why, so that tests can skip with that reason. Header-only; needs
// server_site (pg_db.h) to talk to the server.
#pragma once

#include <fcntl.h>
#include <grp.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "pg_db.h"
#include "support/stop_child.h"

class PostgresCluster {
public:
    PostgresCluster() {
        try {
            Start();
        } catch (const std::exception& e) {
            reason_ = e.what();
            Stop();
        }
    }
    ~PostgresCluster() { Stop(); }
    PostgresCluster(const PostgresCluster&) = delete;
    PostgresCluster& operator=(const PostgresCluster&) = delete;

    bool Available() const { return reason_.empty(); }
    // Why the cluster is not available.
    const std::string& Reason() const { return reason_; }

    // A fresh, empty database (name: letters, digits and "_"); its postgresql:// address.
    std::string NewDatabase(const std::string& name) {
        PgConnection(Address("postgres")).Exec("CREATE DATABASE " + name);
        return Address(name);
    }
    std::string Address(const std::string& database) const {
        return "postgresql://vantorel@127.0.0.1:" + std::to_string(port_) + "/" + database;
    }

private:
    static std::filesystem::path Binaries() {
        if (const char* dir = std::getenv("VANTOREL_PG_BIN")) return dir;
        std::filesystem::path best;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator("/usr/lib/postgresql", ec))
            if (std::filesystem::exists(e.path() / "bin/initdb") &&
                e.path().filename() > best.parent_path().filename())
                best = e.path() / "bin";
        return best;
    }

    static int FreePort() {
        const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof a;
        const bool ok = bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
                        getsockname(fd, reinterpret_cast<sockaddr*>(&a), &size) == 0;
        close(fd);
        if (!ok) throw std::runtime_error("no free port");
        return ntohs(a.sin_port);
    }

    // Runs a PostgreSQL program as the postgres user when this is root (as
    // oneself otherwise), its output into log; the child's pid. The child
    // only makes system calls between fork and exec: other threads may hold
    // the allocator's lock.
    pid_t Spawn(std::vector<std::string> args, const std::filesystem::path& log) const {
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
        if (out < 0) throw std::runtime_error("cannot write " + log.string());
        const pid_t pid = fork();
        if (pid == 0) {
            dup2(out, STDOUT_FILENO);
            dup2(out, STDERR_FILENO);
            if (asRoot_ && (setgroups(1, &gid_) != 0 || setgid(gid_) != 0 || setuid(uid_) != 0)) _exit(126);
            // Set after the change of user, which clears it: never outlive the test.
            prctl(PR_SET_PDEATHSIG, SIGQUIT);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(out);
        if (pid < 0) throw std::runtime_error("fork failed");
        return pid;
    }

    std::string LogText() const {
        std::ifstream in(dir_ / "log");
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        return text.size() > 600 ? text.substr(text.size() - 600) : text;
    }

    void Start() {
        const std::filesystem::path bin = Binaries();
        if (bin.empty() || !std::filesystem::exists(bin / "initdb"))
            throw std::runtime_error(
                "PostgreSQL is not installed: no initdb in /usr/lib/postgresql/*/bin (or $VANTOREL_PG_BIN)");
        if (geteuid() == 0) {
            // initdb refuses to run as root.
            const passwd* user = getpwnam("postgres");
            if (!user) throw std::runtime_error("running as root and there is no \"postgres\" user");
            asRoot_ = true;
            uid_ = user->pw_uid;
            gid_ = user->pw_gid;
        }
        std::string pattern = (std::filesystem::temp_directory_path() / "vantorel-pg-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
        dir_ = pattern;
        if (asRoot_ && chown(dir_.c_str(), uid_, gid_) != 0)
            throw std::runtime_error("cannot hand the folder to the postgres user");
        const std::filesystem::path data = dir_ / "data";
        int status = 0;
        waitpid(Spawn({(bin / "initdb").string(), "-D", data.string(), "-A", "trust", "-U", "vantorel", "-E",
                       "UTF8", "--locale=C", "--no-sync"},
                      dir_ / "log"),
                &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            throw std::runtime_error("initdb failed: " + LogText());
        port_ = FreePort();
        server_ = Spawn({(bin / "postgres").string(), "-D", data.string(), "-p", std::to_string(port_), "-k",
                         dir_.string(), "-c", "listen_addresses=127.0.0.1", "-c", "fsync=off", "-c",
                         "synchronous_commit=off", "-c", "full_page_writes=off"},
                        dir_ / "log");
        for (int i = 0; i < 300; ++i) {
            try {
                PgConnection(Address("postgres")).Exec("SELECT 1");
                return;
            } catch (const EPgError&) {
                if (waitpid(server_, &status, WNOHANG) == server_) {
                    server_ = 0;
                    throw std::runtime_error("the PostgreSQL server ended: " + LogText());
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
        }
        throw std::runtime_error("the PostgreSQL server did not start within 30 s: " + LogText());
    }

    void Stop() {
        if (server_ > 0) {
            StopChild(server_, SIGINT, std::chrono::seconds(10));  // SIGINT: a fast shutdown
            server_ = 0;
        }
        if (!dir_.empty()) {
            std::error_code ec;
            std::filesystem::remove_all(dir_, ec);
            dir_.clear();
        }
    }

    std::string reason_;
    bool asRoot_ = false;
    uid_t uid_ = 0;
    gid_t gid_ = 0;
    std::filesystem::path dir_;
    int port_ = 0;
    pid_t server_ = 0;
};

// One cluster for the whole test program, started at first use from the main
// thread (the server dies with the thread that started it) and stopped at exit.
inline PostgresCluster& SharedPostgresCluster() {
    static PostgresCluster cluster;
    return cluster;
}
