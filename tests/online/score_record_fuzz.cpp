// Fuzz entry: any bytes as an encoded score record (decoded, then checked),
// as a server reply, and as a record to encode, which must decode to itself.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "online/score_encoding.h"
#include "online/score_record.h"
#include "online/score_reply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    try {
        const std::string record = DecodeScoreRecord(input);
        const TScoreRecord fields = ParseScoreRecord(record);
        // What the check lets through must build the same record again.
        if (ParseScoreRecord(ScoreRecordText(fields)) != fields) std::abort();
    } catch (const EScoreRecordError&) {
    }
    const TScoreReply reply = ParseScoreReply(input);
    for (const char* key : {"ID", "Rang", "Alterrang", "Platz1", "wRang", "wAlterrang", "wPlatz1"})
        IsValidPlayerID(reply.Value(key));

    // Encoding shuffles every block a thousand times: a few blocks show any
    // fault, and keep the sanitizer run short.
    if (size > 10 * ScoreBlockSize) return 0;
    static TOnlineRandom random(1);
    const std::string padded =
        input + std::string((ScoreBlockSize - size % ScoreBlockSize) % ScoreBlockSize, ' ');
    if (size > 0 && DecodeScoreRecord(EncodeScoreRecord(input, random)) != padded) std::abort();
    return 0;
}
