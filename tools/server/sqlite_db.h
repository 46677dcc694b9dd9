// A thin RAII layer over SQLite: one connection, prepared statements with
// bound parameters (kept for reuse), sessions that run batches of statements,
// and errors as exceptions that carry SQLite's message.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>

#include "sql_batch.h"

struct sqlite3;
struct sqlite3_stmt;

class ESqliteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class SqliteStatement;

class SqliteDb {
public:
    // Opens (and creates) the database file; ":memory:" gives a private one.
    explicit SqliteDb(const std::string& path);
    ~SqliteDb();
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;

    // Runs statements that return no rows (schema, pragmas, transactions).
    void Exec(const std::string& sql);
    sqlite3* Handle() const { return db_; }
    // The statement prepared once and kept, reset and without bound
    // parameters; parameters may be written $1, $2, ... as well as ?1, ?2.
    SqliteStatement& Prepared(const std::string& sql);

private:
    sqlite3* db_ = nullptr;
    std::unordered_map<std::string, std::unique_ptr<SqliteStatement>> prepared_;
};

// One prepared statement; parameters are numbered from 1, columns from 0.
class SqliteStatement {
public:
    SqliteStatement(SqliteDb& db, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    SqliteStatement& Bind(int index, std::int64_t value);
    SqliteStatement& Bind(int index, std::string_view text);
    SqliteStatement& Bind(int index, const SqlValue& value);
    // True while a row is available; false when the statement is done.
    bool Step();
    // Binds the parameters, steps to the end and resets the statement for its next use.
    SqlRows RunWith(const std::vector<SqlValue>& params);
    void Reset();
    std::int64_t Int(int column) const;
    std::string Text(int column) const;
    SqlValue Value(int column) const;

private:
    void Check(int rc) const;

    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// A write transaction that rolls back unless committed.
class SqliteTransaction {
public:
    explicit SqliteTransaction(SqliteDb& db);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;
    void Commit();

private:
    SqliteDb& db_;
    bool done_ = false;
};

// Batches of statements on the connection; with write, inside a write
// transaction (BEGIN IMMEDIATE) that RunAndCommit commits and that is rolled
// back otherwise.
class SqliteSession : public ISqlSession {
public:
    SqliteSession(SqliteDb& db, bool write);
    std::vector<SqlRows> Run(const std::vector<SqlStatement>& statements) override;
    std::vector<SqlRows> RunAndCommit(const std::vector<SqlStatement>& statements) override;

private:
    SqliteDb& db_;
    std::optional<SqliteTransaction> transaction_;
};
