#include "platform/interrupts/interrupts.h"

#include <atomic>

namespace kinet::platform {
namespace {

std::atomic<int> g_interrupts{0};
static_assert(std::atomic<int>::is_always_lock_free);

}  // namespace

void CountInterrupt() { g_interrupts.fetch_add(1, std::memory_order_relaxed); }

int TakeInterrupts() { return g_interrupts.exchange(0); }

bool InterruptPending() { return g_interrupts.load(std::memory_order_relaxed) > 0; }

}  // namespace kinet::platform
