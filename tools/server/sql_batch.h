// What the ranking list exchanges with either database: values, statements
// with numbered parameters ($1, $2, ...), their rows, and a session that runs
// a batch of statements in order (PostgreSQL sends a batch in one go).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// NULL, a whole number or a text.
using SqlValue = std::variant<std::monostate, std::int64_t, std::string>;
using SqlRow = std::vector<SqlValue>;
using SqlRows = std::vector<SqlRow>;

// A whole number read from a column (PostgreSQL sends numbers as text); none
// for NULL. Throws std::runtime_error for a text that is not a whole number.
std::optional<std::int64_t> OptionalIntOf(const SqlValue& value);
// The same for a column that is never NULL; throws for NULL.
std::int64_t IntOf(const SqlValue& value);
std::string TextOf(const SqlValue& value);

struct SqlStatement {
    std::string sql;  // one statement; $n stands for params[n - 1]
    std::vector<SqlValue> params;
};

// A statement put together piece by piece: Param adds a parameter and writes its $n.
class SqlBuilder {
public:
    SqlBuilder& operator<<(std::string_view text) {
        statement_.sql += text;
        return *this;
    }
    SqlBuilder& Param(SqlValue value);
    SqlStatement Take() { return std::move(statement_); }

private:
    SqlStatement statement_;
};

// A statement of a batch failed; the statements after it did not run.
class ESqlStatementError : public std::runtime_error {
public:
    ESqlStatementError(const std::string& message, std::size_t index)
        : std::runtime_error(message), statement(index) {}
    std::size_t statement;  // its place in the batch
};

class ISqlSession {
public:
    virtual ~ISqlSession() = default;
    // Runs the statements in order; the rows of each. A failure throws, and
    // the session's transaction is then rolled back.
    virtual std::vector<SqlRows> Run(const std::vector<SqlStatement>& statements) = 0;
    // The same, and then commits the session's transaction.
    virtual std::vector<SqlRows> RunAndCommit(const std::vector<SqlStatement>& statements) = 0;
};
