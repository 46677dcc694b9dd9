// The core's message boxes as Qt message boxes.
#pragma once

#include <QString>

#include <string_view>

#include "infra/messages.h"

class QtMessages : public IMessages {
public:
    void Information(std::string_view text) override;
    void Error(std::string_view text) override;
    // Yes/No, No the default; true only for Yes.
    bool Question(std::string_view text) override;
};

// The text as a message box shows it: the program breaks lines with CR LF or
// a lone CR, which Qt would not show as line breaks.
QString MessageBoxText(std::string_view text);
