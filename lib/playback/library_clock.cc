#include "lib/playback/library_clock.h"

namespace kinet {

namespace {
platform::Clock* g_clock = nullptr;
}

platform::Clock& LibraryClock() { return g_clock ? *g_clock : platform::SystemClock(); }

void SetLibraryClock(platform::Clock* clock) { g_clock = clock; }

}  // namespace kinet
