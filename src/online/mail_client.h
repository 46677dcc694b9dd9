// Sending one mail: what the error report needs from an SMTP client.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// A mail that could not be sent: no connection, a refusal, a timeout.
class EMailError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TMailAttachment {
    std::string FileName;  // the name the receiver sees
    std::string Bytes;
};

// One plain-text message to one recipient, with any number of text files. Addresses are bare
// ("name@host"); header texts are ASCII.
struct TMailMessage {
    std::string Sender;      // envelope sender and From
    std::string SenderName;  // shown in From before the address; may be empty
    std::string ReplyTo;     // empty: no Reply-To header
    std::string Recipient;
    std::string Subject;
    std::vector<std::string> Headers;  // further header lines "Name: value" (Date, Message-ID)
    std::string Body;                  // UTF-8, lines ending in CR LF
    std::vector<TMailAttachment> Attachments;
};

class IMailClient {
public:
    virtual ~IMailClient() = default;
    // Connects, sends, disconnects. Returns only when the server accepted the
    // message; raises EMailError with the reason otherwise.
    virtual void Send(const TMailMessage& message) = 0;
};
