// The elapsed-time text of the tools' final status lines ("Kineted in 1 minute 5 seconds.").
#pragma once

#include <cstdint>
#include <string>

namespace kinet::toolkit {

// Formats `ms` milliseconds, truncating: below a second in milliseconds ("1 millisecond",
// "999 milliseconds"), below a minute in whole seconds ("1 second"), below an hour as minutes
// and seconds ("1 minute 1 second", "2 minutes 0 seconds"), else as hours and minutes
// ("1 hour 0 minutes").
std::string FormatElapsed(uint32_t ms);

}  // namespace kinet::toolkit
