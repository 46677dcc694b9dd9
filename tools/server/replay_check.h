// vantorel-server --verify-replay FILE --expect SCORE:GAMESWON:STATISTICS: one
// replay verified against a publication's claims, in the process the server started.
#pragma once

#include "server_options.h"

int RunReplayCheck(const ServerOptions& options);
