// The swarm pool: creation, the per-step drive and the hit queries.
#include "world/swarm.h"

std::unique_ptr<TSpermien> Spermien;
