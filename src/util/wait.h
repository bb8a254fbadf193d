#pragma once

namespace glyphgrab {

// Blocks the calling thread for the given number of seconds; zero or less returns at
// once. Sleeps in short steps rather than spinning a core.
void WaitSeconds(double seconds);

}  // namespace glyphgrab
