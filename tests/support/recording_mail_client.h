// A mail client that keeps what it was asked to send, or fails on request.
#pragma once

#include <string>
#include <vector>

#include "online/mail_client.h"

class RecordingMailClient : public IMailClient {
public:
    void Send(const TMailMessage& message) override {
        if (!failure.empty()) throw EMailError(failure);
        sent.push_back(message);
    }
    std::vector<TMailMessage> sent;
    std::string failure;  // when set, every Send raises it
};
