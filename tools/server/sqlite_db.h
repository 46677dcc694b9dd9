// A thin RAII layer over SQLite: one connection, prepared statements with
// bound parameters, and errors as exceptions that carry SQLite's message.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

class ESqliteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

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
    // The row id of the last row inserted on this connection.
    std::int64_t LastInsertId() const;

private:
    sqlite3* db_ = nullptr;
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
    // True while a row is available; false when the statement is done.
    bool Step();
    // Steps a statement that must finish without rows.
    void Run();
    std::int64_t Int(int column) const;
    std::string Text(int column) const;

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
