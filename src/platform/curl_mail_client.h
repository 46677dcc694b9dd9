// The mail client of error reports: one SMTP transfer through libcurl.
#pragma once

#include <string>

#include "online/mail_client.h"

class TCurlMailClient : public IMailClient {
public:
    // No authentication; STARTTLS when the server offers it.
    TCurlMailClient(std::string host, int port, long connectTimeoutSeconds = 15,
                    long transferTimeoutSeconds = 60);

    // A MIME message: the body as quoted-printable UTF-8 text, the
    // attachment (if any) in base64 under its file name.
    void Send(const TMailMessage& message) override;

private:
    std::string url_;
    long connectTimeout_;
    long transferTimeout_;
};
