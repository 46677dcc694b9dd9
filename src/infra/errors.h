// Exceptions of the file layer and the conversions, shared by every layer.
#pragma once

#include <stdexcept>
#include <string>

// The file layer's I/O error: a file that cannot be opened, written or renamed.
class EInOutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that is not a number where a number is required.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
