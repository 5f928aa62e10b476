// The test seam of queenboard: when the progress line first shows. Only the tests and
// the search include this.
#pragma once

#include <chrono>

namespace queenboard {

// A search on a terminal shows the progress line once it has run this long (a second
// unless a test asks otherwise).
void fortschrittAbSetzen(std::chrono::milliseconds ab);

} // namespace queenboard
