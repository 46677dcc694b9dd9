// One publication of the best local score.
#include "online/highscore_publisher.h"

#include <exception>
#include <stdexcept>

#include "infra/env_data.h"
#include "infra/helpers.h"
#include "infra/messages.h"
#include "online/score_encoding.h"
#include "online/score_record.h"
#include "online/server_addresses.h"

std::string ShownServerText(std::string_view text, std::size_t maxBytes, bool keepLineBreaks) {
    std::string out;
    for (const char c : text) {
        const bool lineBreak = c == '\r' || c == '\n';
        if (IsControlCharacter(c) && !(keepLineBreaks && lineBreak)) continue;
        if (out.size() == maxBytes) return out + "...";
        out += c;
    }
    return out;
}

std::string ShownReplyValue(const TScoreReply& reply, std::string_view key) {
    return ShownServerText(reply.Value(key), MaxShownReplyValue);
}

THighscorePublisher::THighscorePublisher(TInternet& internet, IMessages& messages, TEnvData& env,
                                         std::function<void()> saveEnv, TReplayUploads uploads)
    : internet_(internet),
      messages_(messages),
      env_(env),
      saveEnv_(std::move(saveEnv)),
      uploads_(std::move(uploads)) {}

THighscorePublisher::~THighscorePublisher() = default;  // the upload's jthread stops and joins

TPublishResult THighscorePublisher::Publish() {
    TPublishResult result;
    if (TrimBlanks(env_.PublishName.str()).empty()) {
        messages_.Information("Please enter a name before you upload your score.");
        result.Outcome = TPublishOutcome::NameMissing;
        return result;
    }
    try {
        result.Reply = Send();
        result.Outcome = TPublishOutcome::Published;
        StartUpload();
    } catch (const std::exception& e) {
        messages_.Error("Could not publish Highscore: " + ShownServerText(e.what(), MaxShownErrorText) +
                        "\r\n" + ShownServerText(buffer_, MaxShownReplyText, true));
    }
    return result;
}

TScoreReply THighscorePublisher::Send() {
    record_ = ScoreRecordFromEnv(env_);
    buffer_ = ScoreRecordText(record_);
    recordSum_ = ScoreRecordChecksum(buffer_);
    const std::string url = ScorePublishUrl(EncodeScoreRecord(buffer_, random_));
    // Offline the buffer keeps the record, and the missing rank says so.
    try {
        internet_.HttpGet(url, buffer_);
    } catch (const EHttpError& e) {
        // The error names the address; the encoded record in its query
        // would only make the message box as wide as the screen.
        std::string why = e.what();
        if (const std::size_t at = why.find(url); at != std::string::npos)
            why.replace(at, url.size(), url.substr(0, url.find('?')));
        throw EHttpError(why);
    }
    TScoreReply reply = ParseScoreReply(buffer_);
    TakePlayerID(reply);
    if (reply.Value("Rang").empty()) throw std::runtime_error("Unknown result");
    return reply;
}

void THighscorePublisher::TakePlayerID(const TScoreReply& reply) {
    // Only an identifier the server can have issued is kept; anything else
    // would get later publications refused.
    const std::string id = reply.Value("ID");
    if (!IsValidPlayerID(id) || id == env_.PlayerID.str()) return;
    env_.PlayerID.reset(id);
    // Saved at once: should the program end before its window closes, the
    // player would otherwise come back to the server as somebody new.
    try {
        saveEnv_();
    } catch (const std::exception& e) {
        // The identifier stays in memory and is saved when the window closes.
        messages_.Error(e.what());
    }
}

void THighscorePublisher::StartUpload() {
    if (!uploads_.Http || !uploads_.Find) return;
    upload_ = {};  // a previous upload ends first
    uploaded_.reset();
    const TReplayUploadJob job{ScoreServerRoot(), env_.PlayerID.str(), recordSum_, record_.Score,
                               record_.Statistics};
    upload_ = std::jthread([this, job](std::stop_token stop) {
        TReplayUploadOutcome outcome = TReplayUploadOutcome::Failed;
        try {
            outcome = UploadReplay(*uploads_.Http, job, uploads_.Find, stop);
        } catch (const std::exception&) {
            // Whatever went wrong, the publication stands and the player sees nothing of it.
        }
        uploaded_ = outcome;
    });
}

std::optional<TReplayUploadOutcome> THighscorePublisher::FinishUpload() {
    if (upload_.joinable()) upload_.join();
    return uploaded_;
}
