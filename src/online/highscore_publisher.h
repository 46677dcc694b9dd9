// Publishing the best local score: the record built from Env, one GET to the
// score server, the reply read, and the failure message when it went wrong.
// After a publication the replay of its game goes to the server behind the
// window's back, where the server takes replays (replay_upload.h).
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "online/internet.h"
#include "online/online_random.h"
#include "online/replay_upload.h"
#include "online/score_record.h"
#include "online/score_reply.h"

class IMessages;
struct TEnvData;

// How much of a server's text a label or a message box shows.
constexpr std::size_t MaxShownReplyValue = 40;
constexpr std::size_t MaxShownErrorText = 300;
constexpr std::size_t MaxShownReplyText = 1000;

enum class TPublishOutcome { NameMissing, Failed, Published };

struct TPublishResult {
    TPublishOutcome Outcome = TPublishOutcome::Failed;
    // The server's answer; it holds "Rang" when the score was published.
    TScoreReply Reply;
};

// Where the replay of a published game comes from and goes through: a
// client that may be used off the window's thread, and the finder. Without
// either, no replay is sent.
struct TReplayUploads {
    IHttpClient* Http = nullptr;
    TReplayFinder Find;
};

class THighscorePublisher {
public:
    // Nothing is owned. env is read at each publication and takes a new
    // player identifier; saveEnv writes it to disk as soon as one arrives.
    THighscorePublisher(TInternet& internet, IMessages& messages, TEnvData& env,
                        std::function<void()> saveEnv, TReplayUploads uploads = {});
    // An upload still running is stopped (it is given up).
    ~THighscorePublisher();
    THighscorePublisher(const THighscorePublisher&) = delete;
    THighscorePublisher& operator=(const THighscorePublisher&) = delete;

    // Publishes rank 1 of env's table with env's publishing data to the score
    // server (ScoreServerRoot()). Without a name it says so and sends
    // nothing. A failure (offline, a transfer error, a reply without "Rang")
    // shows "Could not publish Highscore: " + why + CR LF + the reply buffer.
    TPublishResult Publish();
    // Waits for the last publication's upload and says how it went (none
    // when no upload was started).
    std::optional<TReplayUploadOutcome> FinishUpload();

private:
    TScoreReply Send();
    void TakePlayerID(const TScoreReply& reply);
    void StartUpload();

    TInternet& internet_;
    IMessages& messages_;
    TEnvData& env_;
    std::function<void()> saveEnv_;
    TOnlineRandom random_;
    // What the last publication left in the reply buffer: the record text,
    // or the server's answer.
    std::string buffer_;
    // The record the last publication sent, and its checksum.
    TScoreRecord record_;
    std::uint32_t recordSum_ = 0;
    TReplayUploads uploads_;
    std::optional<TReplayUploadOutcome> uploaded_;
    std::jthread upload_;
};

// A text from the server as the program shows it: control characters
// (other than CR and LF when keepLineBreaks) dropped, cut to maxBytes with
// "..." where it was longer.
std::string ShownServerText(std::string_view text, std::size_t maxBytes, bool keepLineBreaks = false);
// The value of key in the reply as a label shows it.
std::string ShownReplyValue(const TScoreReply& reply, std::string_view key);
