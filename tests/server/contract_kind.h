// One database under a contract test: its name for the test's output, how to
// make what the tests need on it, and why it cannot be made here (the tests
// are then skipped with that reason).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

template <class Made>
struct ContractKind {
    const char* name;
    std::function<Made()> make;
    std::function<std::string()> unavailable = [] { return std::string(); };
};
template <class Made>
void PrintTo(const ContractKind<Made>& kind, std::ostream* out) {
    *out << kind.name;
}
template <class Made>
std::string ContractKindName(const testing::TestParamInfo<ContractKind<Made>>& kind) {
    return kind.param.name;
}
