// Captures the message boxes a test provokes.
#pragma once

#include <string>
#include <vector>

#include "infra/messages.h"

class RecordingMessages : public IMessages {
public:
    void Information(std::string_view text) override { shown.emplace_back(text); }
    void Error(std::string_view text) override { shown.emplace_back(text); }
    bool Question(std::string_view text) override {
        shown.emplace_back(text);
        return answer;
    }
    std::vector<std::string> shown;
    bool answer = true;
};
