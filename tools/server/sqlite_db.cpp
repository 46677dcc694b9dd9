// SQLite connection, statements and transactions with errors as exceptions.
#include "sqlite_db.h"

#include <sqlite3.h>

namespace {

[[noreturn]] void Fail(sqlite3* db, const std::string& what) {
    throw ESqliteError(what + ": " + (db ? sqlite3_errmsg(db) : "out of memory"));
}

// SQLite numbers its parameters ?1, ?2, ...; the statements both stores share write $1, $2, ...
std::string WithSqliteParameters(std::string sql) {
    for (std::size_t i = 0; i + 1 < sql.size(); ++i)
        if (sql[i] == '$' && sql[i + 1] >= '0' && sql[i + 1] <= '9') sql[i] = '?';
    return sql;
}

}  // namespace

SqliteDb::SqliteDb(const std::string& path) {
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw ESqliteError("cannot open " + path + ": " + message);
    }
    // Another process (a second server instance, a backup) may hold the file a moment.
    sqlite3_busy_timeout(db_, 5000);
}

SqliteDb::~SqliteDb() {
    prepared_.clear();  // a connection with statements left cannot close
    sqlite3_close(db_);
}

void SqliteDb::Exec(const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : sqlite3_errmsg(db_);
        sqlite3_free(error);
        throw ESqliteError(message);
    }
}

SqliteStatement& SqliteDb::Prepared(const std::string& sql) {
    std::unique_ptr<SqliteStatement>& statement = prepared_[sql];
    if (!statement) {
        try {
            statement = std::make_unique<SqliteStatement>(*this, WithSqliteParameters(sql));
        } catch (...) {
            prepared_.erase(sql);
            throw;
        }
    }
    statement->Reset();
    return *statement;
}

SqliteStatement::SqliteStatement(SqliteDb& db, std::string_view sql) : db_(db.Handle()) {
    if (sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr) != SQLITE_OK)
        Fail(db_, "cannot prepare statement");
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(stmt_);
}

void SqliteStatement::Check(int rc) const {
    if (rc != SQLITE_OK) Fail(db_, "cannot bind parameter");
}

SqliteStatement& SqliteStatement::Bind(int index, std::int64_t value) {
    Check(sqlite3_bind_int64(stmt_, index, value));
    return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, std::string_view text) {
    Check(sqlite3_bind_text64(stmt_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8));
    return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, const SqlValue& value) {
    if (const auto* number = std::get_if<std::int64_t>(&value)) return Bind(index, *number);
    if (const auto* text = std::get_if<std::string>(&value)) return Bind(index, std::string_view(*text));
    Check(sqlite3_bind_null(stmt_, index));
    return *this;
}

bool SqliteStatement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    Fail(db_, "statement failed");
}

SqlRows SqliteStatement::RunWith(const std::vector<SqlValue>& params) {
    // Reset however it ends: a statement left open would hold the database's read lock.
    struct ResetAtEnd {
        SqliteStatement& s;
        ~ResetAtEnd() { s.Reset(); }
    } reset{*this};
    for (std::size_t i = 0; i < params.size(); ++i) Bind(static_cast<int>(i + 1), params[i]);
    SqlRows rows;
    const int columns = sqlite3_column_count(stmt_);
    while (Step()) {
        SqlRow& row = rows.emplace_back();
        for (int c = 0; c < columns; ++c) row.push_back(Value(c));
    }
    return rows;
}

void SqliteStatement::Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

std::int64_t SqliteStatement::Int(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

std::string SqliteStatement::Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)))
                : std::string();
}

SqlValue SqliteStatement::Value(int column) const {
    switch (sqlite3_column_type(stmt_, column)) {
        case SQLITE_NULL:
            return std::monostate();
        case SQLITE_INTEGER:
            return Int(column);
        default:
            return Text(column);
    }
}

SqliteTransaction::SqliteTransaction(SqliteDb& db) : db_(db) {
    // IMMEDIATE takes the write lock at once, so two writers never deadlock midway.
    db_.Exec("BEGIN IMMEDIATE");
}

SqliteTransaction::~SqliteTransaction() {
    if (done_) return;
    try {
        db_.Exec("ROLLBACK");
    } catch (const ESqliteError&) {
        // Nothing more can be done; the connection discards the transaction when closed.
    }
}

void SqliteTransaction::Commit() {
    db_.Exec("COMMIT");
    done_ = true;
}

SqliteSession::SqliteSession(SqliteDb& db, bool write) : db_(db) {
    if (write) transaction_.emplace(db_);
}

std::vector<SqlRows> SqliteSession::Run(const std::vector<SqlStatement>& statements) {
    std::vector<SqlRows> results;
    for (const SqlStatement& s : statements) {
        try {
            results.push_back(db_.Prepared(s.sql).RunWith(s.params));
        } catch (const ESqliteError& e) {
            throw ESqlStatementError(e.what(), results.size());
        }
    }
    return results;
}

std::vector<SqlRows> SqliteSession::RunAndCommit(const std::vector<SqlStatement>& statements) {
    std::vector<SqlRows> results = Run(statements);
    if (transaction_) transaction_->Commit();
    return results;
}
