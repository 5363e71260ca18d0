// The private part of a display buffer.
#pragma once

#include <memory>
#include <vector>

#include "kinet/kinet_buffer.h"
#include "platform/display/display.h"

namespace kinet {

struct BufferState {
  std::unique_ptr<platform::Display> display;
  std::vector<uint8_t> memory;
};

inline BufferState* StateOf(KinetBuffer* buffer) {
  return buffer ? static_cast<BufferState*>(buffer->Private) : nullptr;
}

// Hands the colour table to the display.
void ShowColourTable(KinetBuffer& buffer);

}  // namespace kinet
