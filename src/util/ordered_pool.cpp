#include "util/ordered_pool.h"

#include <algorithm>

namespace glyphgrab {

unsigned DefaultWorkerCount() {
  const unsigned cores = std::thread::hardware_concurrency();  // 0 when unknown
  return std::clamp(cores > 1 ? cores - 1 : 1u, 1u, 3u);
}

}  // namespace glyphgrab
