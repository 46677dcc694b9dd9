// libpq connections, statements, transactions and the connection pool.
#include "pg_db.h"

#include <libpq-fe.h>

#include <charconv>

namespace {

// The server's notices ("relation already exists, skipping") are of no use in the server's output.
void IgnoreNotice(void*, const char*) {}

std::string WithoutTrailingNewline(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

}  // namespace

void PgResult::Free::operator()(pg_result* r) const {
    PQclear(r);
}

int PgResult::Rows() const {
    return PQntuples(result_.get());
}

std::string PgResult::Text(int row, int column) const {
    return std::string(PQgetvalue(result_.get(), row, column),
                       static_cast<std::size_t>(PQgetlength(result_.get(), row, column)));
}

std::int64_t PgResult::Int(int row, int column) const {
    const char* text = PQgetvalue(result_.get(), row, column);
    const char* end = text + PQgetlength(result_.get(), row, column);
    std::int64_t value = 0;
    const auto [ptr, ec] = std::from_chars(text, end, value);
    if (ec != std::errc() || ptr != end) throw EPgError("not a whole number: " + std::string(text, end));
    return value;
}

PgConnection::PgConnection(const std::string& conninfo) {
    // Later entries win: the caller's settings may change the timeout and the
    // name, but the texts always travel as UTF-8.
    const char* const keys[] = {"connect_timeout", "application_name", "dbname", "client_encoding", nullptr};
    const char* const values[] = {"10", "vantorel-server", conninfo.c_str(), "UTF8", nullptr};
    conn_ = PQconnectdbParams(keys, values, 1);
    if (!conn_) throw EPgError("cannot connect to the database: out of memory");
    if (PQstatus(conn_) != CONNECTION_OK) {
        const std::string message = WithoutTrailingNewline(PQerrorMessage(conn_));
        PQfinish(conn_);
        throw EPgError("cannot connect to the database: " + message);
    }
    PQsetNoticeProcessor(conn_, IgnoreNotice, nullptr);
}

PgConnection::~PgConnection() {
    PQfinish(conn_);
}

PgResult PgConnection::Exec(std::string_view sql, std::initializer_list<PgParam> params) {
    const std::string text(sql);
    pg_result* raw;
    if (params.size() == 0) {
        raw = PQexec(conn_, text.c_str());
    } else {
        std::vector<const char*> values;
        for (const PgParam& p : params) values.push_back(p.Text().c_str());
        raw = PQexecParams(conn_, text.c_str(), static_cast<int>(values.size()), nullptr, values.data(),
                           nullptr, nullptr, 0);
    }
    PgResult result(raw);
    const ExecStatusType status = raw ? PQresultStatus(raw) : PGRES_FATAL_ERROR;
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        throw EPgError(WithoutTrailingNewline(raw ? PQresultErrorMessage(raw) : PQerrorMessage(conn_)));
    return result;
}

bool PgConnection::Broken() const {
    return PQstatus(conn_) != CONNECTION_OK;
}

PgTransaction::PgTransaction(PgConnection& connection) : connection_(connection) {
    connection_.Exec("BEGIN");
}

PgTransaction::~PgTransaction() {
    if (done_ || connection_.Broken()) return;
    try {
        connection_.Exec("ROLLBACK");
    } catch (const EPgError&) {
        // The connection is then broken, and the pool drops it.
    }
}

void PgTransaction::Commit() {
    done_ = true;
    connection_.Exec("COMMIT");
}

PgPool::PgPool(std::string conninfo, std::size_t maxConnections)
    : conninfo_(std::move(conninfo)), max_(maxConnections < 1 ? 1 : maxConnections) {}

PgPool::Lease PgPool::Acquire() {
    std::unique_lock lock(mutex_);
    returned_.wait(lock, [this] { return !idle_.empty() || open_ < max_; });
    if (!idle_.empty()) {
        std::unique_ptr<PgConnection> c = std::move(idle_.back());
        idle_.pop_back();
        return Lease(*this, std::move(c));
    }
    ++open_;
    lock.unlock();
    try {
        return Lease(*this, std::make_unique<PgConnection>(conninfo_));
    } catch (...) {
        lock.lock();
        --open_;
        returned_.notify_one();
        throw;
    }
}

void PgPool::Return(std::unique_ptr<PgConnection> connection) {
    std::lock_guard lock(mutex_);
    if (connection && !connection->Broken())
        idle_.push_back(std::move(connection));
    else
        --open_;
    returned_.notify_one();
}
