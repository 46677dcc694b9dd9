// The shots pool: firing the lowest free shot, the per-step drive.
#include "world/shots.h"

std::unique_ptr<TSchuesse> Schuesse;
