// libpq connections, pipelines of prepared statements, sessions and the connection pool.
#include "pg_db.h"

#include <libpq-fe.h>

namespace {

// The server's notices ("relation already exists, skipping") are of no use in the server's output.
void IgnoreNotice(void*, const char*) {}

std::string WithoutTrailingNewline(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

struct ClearResult {
    void operator()(pg_result* r) const { PQclear(r); }
};
using Result = std::unique_ptr<pg_result, ClearResult>;

SqlRows RowsOf(const pg_result* r) {
    SqlRows rows(static_cast<std::size_t>(PQntuples(r)));
    for (int row = 0; row < PQntuples(r); ++row)
        for (int column = 0; column < PQnfields(r); ++column)
            rows[row].push_back(
                PQgetisnull(r, row, column)
                    ? SqlValue()
                    : SqlValue(std::string(PQgetvalue(r, row, column),
                                           static_cast<std::size_t>(PQgetlength(r, row, column)))));
    return rows;
}

}  // namespace

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
    // The statements are prepared once and their parameters only pick index
    // ranges: planning them afresh at every call (PostgreSQL's default for
    // the first calls, and whenever it guesses that pays) cost more than running them.
    Exec("SET plan_cache_mode = force_generic_plan");
}

PgConnection::~PgConnection() {
    PQfinish(conn_);
}

void PgConnection::Exec(std::string_view sql) {
    const Result result(PQexec(conn_, std::string(sql).c_str()));
    const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        throw EPgError(
            WithoutTrailingNewline(result ? PQresultErrorMessage(result.get()) : PQerrorMessage(conn_)));
}

bool PgConnection::Broken() const {
    return broken_ || PQstatus(conn_) != CONNECTION_OK;
}

// One answer the pipeline waits for: a statement's preparation or its rows.
struct PgConnection::Slot {
    const SqlStatement& statement;
    bool preparation;
    std::string name;  // of the prepared statement
};

std::vector<SqlRows> PgConnection::Pipeline(const std::vector<SqlStatement>& statements) {
    if (Broken() || PQenterPipelineMode(conn_) != 1) {
        broken_ = true;
        throw EPgError("cannot send statements: " + WithoutTrailingNewline(PQerrorMessage(conn_)));
    }
    std::vector<Slot> slots;
    Send(statements, slots);
    std::vector<SqlRows> rows = Receive(slots);
    // Every answer has been read, so the connection leaves the pipeline as it came.
    if (PQexitPipelineMode(conn_) != 1) broken_ = true;
    return rows;
}

void PgConnection::Send(const std::vector<SqlStatement>& statements, std::vector<Slot>& slots) {
    std::unordered_map<std::string_view, std::string> preparing;
    for (const SqlStatement& s : statements) {
        const auto known = prepared_.find(s.sql);
        std::string name = known != prepared_.end() ? known->second : preparing[s.sql];
        const int count = static_cast<int>(s.params.size());
        bool sent = true;
        if (name.empty()) {
            name = preparing[s.sql] = "vtr" + std::to_string(++names_);
            slots.push_back({s, true, name});
            sent = PQsendPrepare(conn_, name.c_str(), s.sql.c_str(), count, nullptr) == 1;
        }
        std::vector<std::string> texts;
        std::vector<const char*> values;
        for (const SqlValue& v : s.params) texts.push_back(TextOf(v));
        for (int i = 0; i < count; ++i)
            values.push_back(std::holds_alternative<std::monostate>(s.params[i]) ? nullptr
                                                                                 : texts[i].c_str());
        slots.push_back({s, false, name});
        if (!sent ||
            PQsendQueryPrepared(conn_, name.c_str(), count, values.data(), nullptr, nullptr, 0) != 1) {
            broken_ = true;
            throw EPgError("cannot send a statement: " + WithoutTrailingNewline(PQerrorMessage(conn_)));
        }
    }
    if (PQpipelineSync(conn_) != 1) {
        broken_ = true;
        throw EPgError("cannot send statements: " + WithoutTrailingNewline(PQerrorMessage(conn_)));
    }
}

std::vector<SqlRows> PgConnection::Receive(std::vector<Slot>& slots) {
    std::vector<SqlRows> rows;
    std::string error;
    std::size_t failed = 0;
    for (const Slot& slot : slots) {
        const Result r(PQgetResult(conn_));
        // Each answer ends with a null result; anything else means the
        // connection is out of step (or gone), and of no further use.
        if (!r || Result(PQgetResult(conn_)) != nullptr) {
            broken_ = true;
            throw EPgError("the database's answers broke off: " +
                           WithoutTrailingNewline(PQerrorMessage(conn_)));
        }
        const ExecStatusType status = PQresultStatus(r.get());
        const bool ok = status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
        if (!ok && error.empty()) {
            error = WithoutTrailingNewline(PQresultErrorMessage(r.get()));
            failed = rows.size();
        }
        if (slot.preparation) {
            if (ok) prepared_.emplace(slot.statement.sql, slot.name);
        } else {
            rows.push_back(ok ? RowsOf(r.get()) : SqlRows());
        }
    }
    const Result sync(PQgetResult(conn_));
    if (!sync || PQresultStatus(sync.get()) != PGRES_PIPELINE_SYNC) {
        broken_ = true;
        throw EPgError("the database's answers broke off: " + WithoutTrailingNewline(PQerrorMessage(conn_)));
    }
    if (!error.empty()) {
        if (PQexitPipelineMode(conn_) != 1) broken_ = true;
        throw ESqlStatementError(error, failed);
    }
    return rows;
}

PgSession::PgSession(PgConnection& connection, std::vector<SqlStatement> opening)
    : connection_(connection), transaction_(true), opening_(std::move(opening)) {
    opening_.insert(opening_.begin(), SqlStatement{"BEGIN", {}});
}

PgSession::~PgSession() {
    if (!begun_ || committed_ || connection_.Broken()) return;
    try {
        connection_.Exec("ROLLBACK");
    } catch (const EPgError&) {
        // The connection is then broken, and the pool drops it.
    }
}

std::vector<SqlRows> PgSession::Run(const std::vector<SqlStatement>& statements) {
    return Send(statements, false);
}

std::vector<SqlRows> PgSession::RunAndCommit(const std::vector<SqlStatement>& statements) {
    return Send(statements, transaction_);
}

std::vector<SqlRows> PgSession::Send(const std::vector<SqlStatement>& statements, bool commit) {
    const std::size_t opening = opening_.size();
    std::vector<SqlStatement> batch = std::move(opening_);
    opening_.clear();
    batch.insert(batch.end(), statements.begin(), statements.end());
    if (commit) batch.push_back({"COMMIT", {}});
    begun_ = begun_ || transaction_;
    std::vector<SqlRows> rows;
    try {
        rows = connection_.Pipeline(batch);
    } catch (const ESqlStatementError& e) {
        // The caller knows its own statements only.
        if (e.statement < opening || e.statement - opening >= statements.size()) throw EPgError(e.what());
        throw ESqlStatementError(e.what(), e.statement - opening);
    }
    committed_ = commit;
    rows.erase(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(opening));
    if (commit) rows.pop_back();
    return rows;
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
