// The default message handler: standard error, and No to every question.
#include "messages.h"

#include <iostream>

namespace {

class TStderrMessages : public IMessages {
public:
    void Information(std::string_view text) override { std::cerr << text << '\n'; }
    void Error(std::string_view text) override { std::cerr << text << '\n'; }
    bool Question(std::string_view text) override {
        std::cerr << text << " [answered No]\n";
        return false;
    }
};

}  // namespace

IMessages& StderrMessages() {
    static TStderrMessages messages;
    return messages;
}
