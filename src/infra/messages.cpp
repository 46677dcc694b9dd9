// The default message handler: standard error, and No to every question.
#include "messages.h"

#include <iostream>

namespace {

class StderrMessages : public IMessages {
public:
    void Information(std::string_view text) override { std::cerr << text << '\n'; }
    void Error(std::string_view text) override { std::cerr << text << '\n'; }
    bool Question(std::string_view text) override {
        std::cerr << text << " [answered No]\n";
        return false;
    }
};

StderrMessages g_default;
IMessages* g_messages = &g_default;

}  // namespace

IMessages& Messages() {
    return *g_messages;
}
void SetMessages(IMessages* messages) {
    g_messages = messages ? messages : &g_default;
}
