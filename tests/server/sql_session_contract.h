// What a session of either database must do, for the statements that both
// stores share. The tests are instantiated once per database: SQLite in
// score_store_test.cpp, PostgreSQL in pg_store_test.cpp.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "contract_kind.h"
#include "sql_batch.h"

// A connection to a fresh, empty database, and sessions on it.
class ISessionSource {
public:
    virtual ~ISessionSource() = default;
    virtual std::unique_ptr<ISqlSession> Transaction() = 0;
    virtual std::unique_ptr<ISqlSession> Plain() = 0;  // each statement commits on its own
    virtual bool Broken() const { return false; }
};

using SessionKind = ContractKind<std::unique_ptr<ISessionSource>>;

class SqlSessionContract : public testing::TestWithParam<SessionKind> {
protected:
    void SetUp() override {
        const std::string reason = GetParam().unavailable();
        if (!reason.empty()) GTEST_SKIP() << reason;
        db = GetParam().make();
    }
    std::unique_ptr<ISessionSource> db;
};
