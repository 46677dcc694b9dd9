// SMTP with libcurl's MIME builder.
#include "platform/curl_mail_client.h"

#include <curl/curl.h>

#include <memory>

#include "platform/curl_ready.h"

namespace {

using CurlHandle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using CurlList = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;
using CurlMime = std::unique_ptr<curl_mime, decltype(&curl_mime_free)>;

void Append(CurlList& list, const std::string& line) {
    // A line break inside a header text would start a header of its own.
    if (line.find_first_of("\r\n") != std::string::npos) throw EMailError("Zeilenumbruch im Mailkopf");
    curl_slist* grown = curl_slist_append(list.get(), line.c_str());
    if (!grown) throw EMailError("Kein Speicher f\xFCr den Mailkopf");
    list.release();
    list.reset(grown);
}

CurlList HeaderLines(const TMailMessage& m) {
    CurlList headers(nullptr, &curl_slist_free_all);
    const std::string from = "<" + m.Sender + ">";
    Append(headers, "From: " + (m.SenderName.empty() ? from : m.SenderName + " " + from));
    Append(headers, "To: <" + m.Recipient + ">");
    if (!m.ReplyTo.empty()) Append(headers, "Reply-To: <" + m.ReplyTo + ">");
    Append(headers, "Subject: " + m.Subject);
    for (const std::string& line : m.Headers) Append(headers, line);
    return headers;
}

CurlMime Body(CURL* curl, const TMailMessage& m) {
    CurlMime mime(curl_mime_init(curl), &curl_mime_free);
    curl_mimepart* text = curl_mime_addpart(mime.get());
    curl_mime_data(text, m.Body.data(), m.Body.size());
    curl_mime_type(text, "text/plain; charset=UTF-8");
    curl_mime_encoder(text, "quoted-printable");
    for (const TMailAttachment& attachment : m.Attachments) {
        curl_mimepart* file = curl_mime_addpart(mime.get());
        curl_mime_data(file, attachment.Bytes.data(), attachment.Bytes.size());
        curl_mime_filename(file, attachment.FileName.c_str());
        curl_mime_type(file, "text/plain");
        curl_mime_encoder(file, "base64");
    }
    return mime;
}

}  // namespace

TCurlMailClient::TCurlMailClient(std::string host, int port, long connectTimeoutSeconds,
                                 long transferTimeoutSeconds)
    : connectTimeout_(connectTimeoutSeconds), transferTimeout_(transferTimeoutSeconds) {
    const bool ipv6 = host.find(':') != std::string::npos;
    url_ = "smtp://" + (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

void TCurlMailClient::Send(const TMailMessage& message) {
    EnsureCurlReady();
    CurlHandle curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl) throw EMailError("Mailclient kann nicht starten");
    CURL* c = curl.get();
    CurlList recipients(nullptr, &curl_slist_free_all);
    Append(recipients, "<" + message.Recipient + ">");
    const CurlList headers = HeaderLines(message);
    const CurlMime mime = Body(c, message);
    const std::string envelopeSender = "<" + message.Sender + ">";
    char errorText[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(c, CURLOPT_URL, url_.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "smtp");
    curl_easy_setopt(c, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, envelopeSender.c_str());
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, recipients.get());
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(c, CURLOPT_MIMEPOST, mime.get());
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, connectTimeout_);
    curl_easy_setopt(c, CURLOPT_TIMEOUT, transferTimeout_);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);
    const CURLcode result = curl_easy_perform(c);
    if (result != CURLE_OK)
        throw EMailError(std::string(*errorText ? errorText : curl_easy_strerror(result)) + " (" + url_ +
                         ")");
}
