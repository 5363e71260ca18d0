// The key codes the player window collects for the input commands: 64 codes in arrival order;
// a code that arrives while 64 wait is dropped.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace kinet::script {

// Codes the window gives to keys without a character of their own.
namespace key {
inline constexpr uint8_t kBackTab = 137;
inline constexpr uint8_t kPageUp = 161;  // then PageDown, End, Home, Left, Up, Right, Down
inline constexpr uint8_t kInsert = 173;
inline constexpr uint8_t kDelete = 174;
inline constexpr uint8_t kF1 = 208;            // F1-F10: 208-217
inline constexpr uint8_t kShiftF1 = 218;       // 218-227
inline constexpr uint8_t kControlF1 = 228;     // 228-237
inline constexpr uint8_t kAltF1 = 238;         // 238-247
inline constexpr uint8_t kCloseRequest = 241;  // the same as Alt+F4
}  // namespace key

class KeyQueue {
 public:
  static constexpr size_t kCapacity = 64;

  void Push(uint8_t code) {
    if (count_ == kCapacity) return;
    codes_[(first_ + count_++) % kCapacity] = code;
  }
  std::optional<uint8_t> Take() {
    if (count_ == 0) return std::nullopt;
    uint8_t code = codes_[first_];
    first_ = (first_ + 1) % kCapacity;
    --count_;
    return code;
  }
  // Takes the oldest `code` out of the queue, leaving the others in order; false when absent.
  bool TakeCode(uint8_t code) {
    for (size_t i = 0; i < count_; ++i) {
      if (codes_[(first_ + i) % kCapacity] != code) continue;
      for (size_t j = i; j + 1 < count_; ++j)
        codes_[(first_ + j) % kCapacity] = codes_[(first_ + j + 1) % kCapacity];
      --count_;
      return true;
    }
    return false;
  }
  size_t size() const { return count_; }
  void Clear() { first_ = count_ = 0; }

 private:
  std::array<uint8_t, kCapacity> codes_{};
  size_t first_ = 0, count_ = 0;
};

}  // namespace kinet::script
