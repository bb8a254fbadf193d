#pragma once

#include <functional>

namespace glyphgrab {

// Asked before each step of a long operation (a folder scan, a search, the reading of a
// text file); true stops it with what was done so far. In the desktop tool it answers
// whether Esc is down; an empty function never stops.
using StopRequested = std::function<bool()>;

inline bool Stopped(const StopRequested& stop) { return stop && stop(); }

}  // namespace glyphgrab
