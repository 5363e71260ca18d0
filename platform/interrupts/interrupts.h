// The process's count of caught interrupts (Ctrl-C, SIGINT) and termination requests
// (SIGTERM). The console's signal handler adds to it and the console takes it; the file
// service only looks, so that a read that could wait for ever (a pipe or FIFO that nobody
// writes) gives up while a request waits to be taken.
#pragma once

namespace kinet::platform {

// Safe to call from a signal handler.
void CountInterrupt();
// The requests since the last call, cleared.
int TakeInterrupts();
bool InterruptPending();

}  // namespace kinet::platform
