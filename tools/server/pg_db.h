// A thin RAII layer over libpq: connections, statements with text parameters
// and their results, transactions, and a small pool of connections that the
// server's threads share. Errors are exceptions that carry the server's message.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct pg_conn;
struct pg_result;

class EPgError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One parameter of a statement, sent as text.
class PgParam {
public:
    PgParam(std::int64_t value) : text_(std::to_string(value)) {}
    PgParam(std::int32_t value) : text_(std::to_string(value)) {}
    PgParam(std::string_view text) : text_(text) {}
    PgParam(const std::string& text) : text_(text) {}
    PgParam(const char* text) : text_(text) {}
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

// The rows of a statement; rows and columns are numbered from 0.
class PgResult {
public:
    explicit PgResult(pg_result* result) : result_(result) {}
    int Rows() const;
    std::string Text(int row, int column) const;
    std::int64_t Int(int row, int column) const;

private:
    struct Free {
        void operator()(pg_result* r) const;
    };
    std::unique_ptr<pg_result, Free> result_;
};

class PgConnection {
public:
    // conninfo: a postgresql:// URI or "key=value" settings, as libpq takes them.
    // Texts travel as UTF-8 whatever the database's default.
    explicit PgConnection(const std::string& conninfo);
    ~PgConnection();
    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;

    // Without parameters the text may hold several statements (the schema).
    PgResult Exec(std::string_view sql, std::initializer_list<PgParam> params = {});
    // True once the connection to the server is lost; it is then of no more use.
    bool Broken() const;

private:
    pg_conn* conn_ = nullptr;
};

// A transaction that rolls back unless committed.
class PgTransaction {
public:
    explicit PgTransaction(PgConnection& connection);
    ~PgTransaction();
    PgTransaction(const PgTransaction&) = delete;
    PgTransaction& operator=(const PgTransaction&) = delete;
    void Commit();

private:
    PgConnection& connection_;
    bool done_ = false;
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
