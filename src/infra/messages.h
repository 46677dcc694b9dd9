// Message boxes. The menu window shows them as dialogs; without one they go
// to standard error.
#pragma once

#include <string_view>

class IMessages {
public:
    virtual ~IMessages() = default;
    virtual void Information(std::string_view text) = 0;
    virtual void Error(std::string_view text) = 0;
    // Yes/No; the caller acts only on Yes.
    virtual bool Question(std::string_view text) = 0;
};

// Message boxes on standard error; every question is answered with No.
IMessages& StderrMessages();
