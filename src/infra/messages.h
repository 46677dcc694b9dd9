// Message boxes of the core. The menu window shows them as dialogs; without
// one they go to standard error.
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

// The handler in force; by default one that prints to standard error and
// answers every question with No.
IMessages& Messages();
// Replaces the handler; nullptr restores the default. Not owned.
void SetMessages(IMessages* messages);
