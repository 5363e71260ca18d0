// The switch-text rules every option page follows: "/" + letter + value with no blanks
// between switches; a check box with a number field gives its switch only when checked and
// the number is not empty; a list choice only when an item other than the first is chosen.
#pragma once

#include <string>
#include <string_view>

namespace kinet::desk {

// A check box with the number field beside it.
struct CheckedNumber {
  bool on = false;
  std::string number;
};

class SwitchText {
 public:
  SwitchText& Flag(char letter, bool on) {
    if (on) text_ += std::string{'/', letter};
    return *this;
  }
  SwitchText& Value(char letter, std::string_view value) {
    if (!value.empty()) text_ += std::string{'/', letter} + std::string(value);
    return *this;
  }
  // A file name (the Expert file, a palette): a word of its own, "-" + letter + name, when the
  // name holds a '/' or a blank, since the tools split a "/" word at every '/' and the
  // command line at blanks outside quotes; the switches after it start a new word.
  SwitchText& Name(char letter, std::string_view name) {
    if (name.find_first_of("/ ") == std::string_view::npos) return Value(letter, name);
    if (!text_.empty() && text_.back() != ' ') text_ += ' ';
    const std::string word = std::string{'-', letter} + std::string(name);
    text_ += (name.find(' ') == std::string_view::npos ? word : "\"" + word + "\"") + " ";
    return *this;
  }
  SwitchText& Checked(char letter, const CheckedNumber& field) {
    return field.on ? Value(letter, field.number) : *this;
  }
  // The item's index (or `value` when given) unless the first item is chosen.
  SwitchText& Choice(char letter, int index, std::string_view value = {}) {
    if (index <= 0) return *this;
    return Value(letter, value.empty() ? std::to_string(index) : std::string(value));
  }
  SwitchText& Blank() {
    if (text_.empty() || text_.back() != ' ') text_ += ' ';
    return *this;
  }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// The sound lists shared by the compression, mix and sound pages: "/R" + 11025, 22050, 44100
// or the typed rate (item 4) for any item but the first; "/B" + 8 x index; "/C" + index.
inline SwitchText& SoundOutput(SwitchText& s, int rate, const std::string& typed_rate, int bits,
                               int channels) {
  static constexpr const char* kRates[] = {"", "11025", "22050", "44100"};
  if (rate > 0) s.Value('R', rate <= 3 ? kRates[rate] : typed_rate);
  s.Choice('B', bits, std::to_string(8 * bits));
  return s.Choice('C', channels);
}

}  // namespace kinet::desk
