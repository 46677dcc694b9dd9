// The sessions' contract: values as they went, and a failed statement that
// undoes its transaction and leaves the connection usable.
#include "sql_session_contract.h"

#include <climits>

namespace {

TEST_P(SqlSessionContract, ValuesComeBackAsTheyWent) {
    const std::vector<SqlRows> rows = db->Plain()->Run(
        {{"SELECT CAST($1 AS BIGINT), CAST($2 AS BIGINT), CAST($3 AS TEXT), CAST($4 AS TEXT), CAST($5 AS "
          "BIGINT), "
          "CAST($2 AS BIGINT) + 1",
          {INT64_MIN, std::int64_t{41}, std::string("O'Brien \u00e9 \\"), std::string(), SqlValue()}}});
    const SqlRow& row = rows.at(0).at(0);
    EXPECT_EQ(IntOf(row[0]), INT64_MIN);
    EXPECT_EQ(IntOf(row[1]), 41);
    EXPECT_EQ(TextOf(row[2]), "O'Brien \u00e9 \\");
    EXPECT_EQ(TextOf(row[3]), "");
    EXPECT_FALSE(OptionalIntOf(row[4]));
    EXPECT_EQ(IntOf(row[5]), 42);  // one parameter used twice
}

TEST_P(SqlSessionContract, AFailedStatementUndoesItsTransactionAndTheConnectionGoesOn) {
    db->Plain()->Run({{"CREATE TABLE t (n INTEGER PRIMARY KEY)", {}}});
    const auto insert = [](std::int64_t n) { return SqlStatement{"INSERT INTO t (n) VALUES ($1)", {n}}; };
    const auto count = [&] {
        return IntOf(db->Plain()->Run({{"SELECT COUNT(*) FROM t", {}}}).at(0).at(0).at(0));
    };
    try {
        db->Transaction()->RunAndCommit({insert(2), insert(1), insert(1), insert(3)});
        ADD_FAILURE() << "a key twice was stored";
    } catch (const ESqlStatementError& e) {
        EXPECT_EQ(e.statement, 2u);
    }
    EXPECT_FALSE(db->Broken());
    EXPECT_EQ(count(), 0);
    db->Transaction()->RunAndCommit({insert(2)});
    EXPECT_EQ(count(), 1);
}

}  // namespace
