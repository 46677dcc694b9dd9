// A thin RAII layer over libpq: connections, batches of prepared statements
// sent in one pipeline, sessions with a transaction, and a small pool of
// connections that the server's threads share. Errors are exceptions that
// carry the server's message.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "sql_batch.h"

struct pg_conn;

class EPgError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class PgConnection {
public:
    // conninfo: a postgresql:// URI or "key=value" settings, as libpq takes them.
    // Texts travel as UTF-8 whatever the database's default.
    explicit PgConnection(const std::string& conninfo);
    ~PgConnection();
    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;

    // Runs a text of statements without parameters and ignores their rows.
    void Exec(std::string_view sql);
    // Sends the statements together and reads their answers together: one
    // round trip for the batch. Each is prepared once on this connection and
    // kept. After a failing statement the rest are skipped; its error is
    // thrown as ESqlStatementError.
    std::vector<SqlRows> Pipeline(const std::vector<SqlStatement>& statements);
    // True once the connection to the server is lost or in a state of no
    // further use; the pool then drops it.
    bool Broken() const;

private:
    struct Slot;
    void Send(const std::vector<SqlStatement>& statements, std::vector<Slot>& slots);
    std::vector<SqlRows> Receive(std::vector<Slot>& slots);

    pg_conn* conn_ = nullptr;
    bool broken_ = false;
    std::unordered_map<std::string, std::string> prepared_;  // statement -> its name on the server
    std::size_t names_ = 0;
};

// Batches of statements on one connection, each sent as one pipeline. In a
// transaction, BEGIN and the opening statements (a lock) go out with the
// first batch and COMMIT with the last, so a short transaction costs one or
// two round trips; one that is not committed is rolled back.
class PgSession : public ISqlSession {
public:
    // Without a transaction: each statement commits on its own.
    explicit PgSession(PgConnection& connection) : connection_(connection) {}
    PgSession(PgConnection& connection, std::vector<SqlStatement> opening);
    ~PgSession() override;
    PgSession(const PgSession&) = delete;
    PgSession& operator=(const PgSession&) = delete;

    std::vector<SqlRows> Run(const std::vector<SqlStatement>& statements) override;
    std::vector<SqlRows> RunAndCommit(const std::vector<SqlStatement>& statements) override;

private:
    std::vector<SqlRows> Send(const std::vector<SqlStatement>& statements, bool commit);

    PgConnection& connection_;
    bool transaction_ = false;
    std::vector<SqlStatement> opening_;  // BEGIN and the opening statements, until sent
    bool begun_ = false;
    bool committed_ = false;
};

// Connections opened when needed, at most maxConnections at once; a lost one
// is dropped when it comes back, so the next caller connects afresh.
class PgPool {
public:
    PgPool(std::string conninfo, std::size_t maxConnections);

    class Lease {
    public:
        Lease(PgPool& pool, std::unique_ptr<PgConnection> connection)
            : pool_(pool), connection_(std::move(connection)) {}
        ~Lease() { pool_.Return(std::move(connection_)); }
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        PgConnection& operator*() const { return *connection_; }
        PgConnection* operator->() const { return connection_.get(); }

    private:
        PgPool& pool_;
        std::unique_ptr<PgConnection> connection_;
    };
    // Waits while every connection is in use. Throws EPgError when it cannot connect.
    Lease Acquire();

private:
    void Return(std::unique_ptr<PgConnection> connection);

    const std::string conninfo_;
    const std::size_t max_;
    std::mutex mutex_;
    std::condition_variable returned_;
    std::vector<std::unique_ptr<PgConnection>> idle_;
    std::size_t open_ = 0;
};
