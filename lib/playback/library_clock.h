// The clock the playback library reads for its statistics, simulated read rates and pacing.
#pragma once

#include "platform/clock/clock.h"

namespace kinet {

platform::Clock& LibraryClock();
// Replaces the clock (tests use a manual one); null restores the system clock.
void SetLibraryClock(platform::Clock* clock);

}  // namespace kinet
