#include "catalogue/poster_grid.h"

namespace morvessa {

void start_grid_workers(App&, int) {}

}  // namespace morvessa
