// Reading the values of either database's rows, and building statements.
#include "sql_batch.h"

#include <charconv>
#include <stdexcept>

std::optional<std::int64_t> OptionalIntOf(const SqlValue& value) {
    if (const auto* number = std::get_if<std::int64_t>(&value)) return *number;
    const auto* text = std::get_if<std::string>(&value);
    if (!text) return std::nullopt;
    std::int64_t number = 0;
    const char* end = text->data() + text->size();
    const auto [ptr, ec] = std::from_chars(text->data(), end, number);
    if (ec != std::errc() || ptr != end) throw std::runtime_error("not a whole number: " + *text);
    return number;
}

std::int64_t IntOf(const SqlValue& value) {
    const std::optional<std::int64_t> number = OptionalIntOf(value);
    if (!number) throw std::runtime_error("a number is missing (NULL)");
    return *number;
}

std::string TextOf(const SqlValue& value) {
    if (const auto* number = std::get_if<std::int64_t>(&value)) return std::to_string(*number);
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    return std::string();
}

SqlBuilder& SqlBuilder::Param(SqlValue value) {
    statement_.params.push_back(std::move(value));
    statement_.sql += "$" + std::to_string(statement_.params.size());
    return *this;
}
