// The ranking list's storage: players with an ID, the data they published
// and their best score, and every publication with its time, from which the
// weekly list is built. One interface for both stores: the embedded SQLite
// file and a PostgreSQL database that several server instances share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What a player publishes about themselves (UTF-8 texts); the latest
// publication's data replaces the earlier.
struct PlayerData {
    std::string name;
    std::string city;
    std::string country;
    std::string email;     // never shown in the list
    std::int32_t age = 0;  // 0: not given
    std::string sex;       // "", "f" or "m"
    std::string comment;   // never shown in the list
    std::int64_t gamesStarted = 0;
    std::int64_t gamesWon = 0;
    std::string statText;
};

// Which scores rank: all that were published, or only those whose replay
// the server verified (--verified-only).
enum class ListRanking { AllScores, VerifiedScores };

struct ScorePublication {
    std::string playerId;  // as sent; empty (or unknown to the store) for a new player
    std::int32_t score = 0;
    PlayerData data;
    std::int64_t at = 0;  // Unix seconds on the server's clock
    // The checksum of the record as sent, which binds a replay upload to this publication.
    std::uint32_t recordSum = 0;
    // The lists the reply's places come from. With VerifiedScores they are
    // the places the score takes once its replay is verified.
    ListRanking ranking = ListRanking::AllScores;
};

// A player's place in one list, before and after a publication.
struct ListPlace {
    std::int64_t rank = 0;                // 1 is the top
    std::optional<std::int64_t> oldRank;  // none when the player was not in the list before
    std::int32_t topScore = 0;            // the list's best score afterwards
};

struct PublishResult {
    std::string playerId;
    bool newPlayer = false;
    ListPlace overall;
    ListPlace weekly;  // the publications from weekStart on
};

// What the list shows of a player's replays.
struct ReplayMarks {
    // The state of the replay sent with the publication of the shown score:
    // "" (none), "pending", "checking", "verified" or "rejected", and why.
    std::string state;
    std::string reason;
    // The player's best verified score, and its replay while it is kept (0: gone).
    std::optional<std::int32_t> verifiedScore;
    std::int64_t verifiedReplay = 0;
};

struct RankedPlayer {
    std::int64_t rank = 0;
    std::string playerId;
    std::int32_t score = 0;    // the best score (of the list read)
    std::int64_t scoreAt = 0;  // when it was first reached
    PlayerData data;
    ReplayMarks replays;
};

// A replay sent with a publication: the player's ID and the checksum of the
// record as sent name the publication (the player's latest with that record).
struct ReplayUpload {
    std::string playerId;
    std::uint32_t recordSum = 0;
    std::string replay;
    std::int64_t at = 0;
};

enum class ReplayRefusal { None, NoPublication, AlreadyTaken, QueueFull };

struct ReplayUploadResult {
    std::int64_t replay = 0;  // its number, when taken
    ReplayRefusal refusal = ReplayRefusal::None;
};

// A replay taken for verification, with what its publication claims.
struct ClaimedReplay {
    std::int64_t replay = 0;
    std::string text;
    std::int32_t score = 0;
    std::string statText;
    std::int64_t gamesWon = 0;
};

// The end of a verification.
struct ReplayVerdictRecord {
    bool verified = false;
    std::string outcome;  // the replayed game's "won", "lost" or "left"
    std::string reason;   // why it was rejected
    std::int64_t checkMs = 0;
    std::int64_t at = 0;
};

struct ReplayStatus {
    std::string state;  // "pending", "checking", "verified" or "rejected"
    std::string reason;
    std::string outcome;
    std::string text;  // the replay itself, when asked for and verified
};

// Both lists order players by score, highest first; equal scores by the time
// the score was first reached, earlier first; then by publication order. The
// overall list holds each player's best score, the weekly list each player's
// best score published from the week's start on.
class IScoreStore {
public:
    virtual ~IScoreStore() = default;

    // Stores one publication atomically. A player ID the store does not know
    // (or none) makes a new player with a fresh ID of 16 letters and digits.
    // The best score is kept; the player's data is replaced.
    virtual PublishResult Publish(const ScorePublication& publication, std::int64_t weekStart) = 0;
    // The first count players of the overall list.
    virtual std::vector<RankedPlayer> TopPlayers(std::size_t count) = 0;
    virtual std::optional<RankedPlayer> FindPlayer(const std::string& playerId) = 0;
    virtual std::int64_t PlayerCount() = 0;
    // The first count players of the list of verified scores, and its length.
    virtual std::vector<RankedPlayer> TopVerifiedPlayers(std::size_t count) = 0;
    virtual std::int64_t VerifiedPlayerCount() = 0;

    // Takes a replay for the publication it names, unless maxWaiting replays
    // already wait for their verification.
    virtual ReplayUploadResult AddReplay(const ReplayUpload& upload, std::int64_t maxWaiting) = 0;
    // The oldest replay waiting, or one whose claim is older than staleBefore
    // (its verifier is gone), claimed for worker: each is claimed by one
    // worker of all the servers sharing the store. One claimed too often is
    // rejected instead ("verification did not finish").
    virtual std::optional<ClaimedReplay> ClaimReplay(const std::string& worker, std::int64_t now,
                                                     std::int64_t staleBefore) = 0;
    // Stores the verdict; a verified replay enters its publication's score
    // into the lists of verified scores.
    virtual void FinishReplay(std::int64_t replay, const ReplayVerdictRecord& verdict) = 0;
    // Gives a claimed replay back to wait for another verifier.
    virtual void ReleaseReplay(std::int64_t replay) = 0;
    virtual std::optional<ReplayStatus> FindReplay(std::int64_t replay, bool withText) = 0;
    // Deletes the replays uploaded before the time, except those of the
    // players' best verified scores; returns how many.
    virtual std::int64_t PruneReplays(std::int64_t uploadedBefore) = 0;
};
