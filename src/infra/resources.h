// The program's built-in resources (pictures and texts linked into the program).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

class IResources {
public:
    virtual ~IResources() = default;
    // Bytes of the resource of a type ("BITMAP", "JPEG", "TEXT") and name; names
    // compare without regard to letter case. Nothing when there is none.
    virtual std::optional<std::span<const std::uint8_t>> Find(std::string_view type,
                                                              std::string_view name) const = 0;
    // The caller has decoded the bytes Find gave it and holds no view of them:
    // a table that can leave them on disk until they are asked for again
    // (the program's own image) does so. The bytes stay readable.
    virtual void Done(std::span<const std::uint8_t> /*bytes*/) const {}
};

// A table without any resources.
const IResources& NoResources();
