// vantorel-server --verify-replay FILE --expect SCORE:GAMESWON:STATISTICS:
// the verification of one replay, which the server runs in a process of its
// own for each replay it was sent. Prints "verified <won|lost|left>" or
// "rejected <reason>" and returns 0; throws when it cannot verify at all.
#pragma once

#include "server_options.h"

int RunReplayCheck(const ServerOptions& options);
