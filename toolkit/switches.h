// The switch readers shared by every tool.
//
// A tool receives its command line as words (its arguments, or SplitCommandWords of a command
// text). Each word is either a switch word or a name:
//   - A word that begins with '-' and a switch character (a letter, '#', '@' or '&') is a switch
//     word holding exactly one switch: "-N240000", "-L-1", "-O", "-@/home/me/hints.txt" (a text
//     switch in a '-' word runs to the end of the word, so it can hold a path).
//   - A word that begins with '/' is a switch word when it reads completely as '/'-marked
//     switches of the tool ("/L4/M", "/#12345/#", "/@hints.txt/O", "/@\"my hints.txt\""), or
//     when every piece has the bare shape of a switch (one switch character, optionally a
//     number), like "/N5" given to a tool without /N; that unknown switch then shows the usage
//     instead of becoming a file name. Anything else, such as "/home/me/walk.flc", is a name.
//   - Every other word is a name.
//
// The readers then take switches out one by one, each removing what it consumed. Letters match
// without regard to case. When a letter occurs several times, a reader takes only the first
// occurrence that suits it and leaves the others, which makes them left over. Whatever is left
// of the switch words after every reader ran is a syntax error: the tool shows its usage.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kinet::toolkit {

enum class SwitchKind : uint8_t {
  kNumber,  // "/X#": a decimal number right behind the letter, negative with '-'
  kFlag,    // "/X": no digit behind the letter
  kText,    // "/Xtext" or "/X\"text with blanks\""
};

// One entry of a tool's switch table. A letter may appear twice with two kinds ('#' is both a
// number, the report channel, and a flag, close when done).
struct KnownSwitch {
  char letter;  // 'A'..'Z' (matched without case), '#', '@' or '&'
  SwitchKind kind;
};

class SwitchLine {
 public:
  // Sorts `words` into switch words and names against the tool's `table`.
  SwitchLine(std::span<const std::string> words, std::span<const KnownSwitch> table);

  // Numeric switch: the first occurrence of `letter` followed directly by a digit, or by '-'
  // and a digit. Returns its value and removes it, or nullopt (nothing removed) when there is
  // none. A number outside the signed 32-bit range is not taken, so it is left over.
  std::optional<int32_t> TakeNumber(char letter);

  // Flag switch: the first occurrence of `letter` followed by the end of its switch or by a
  // character below '0' (such as a quote). Returns true and removes the letter when found.
  bool TakeFlag(char letter);

  // Text switch: the text behind the first occurrence of `letter`: up to the closing quote when
  // it starts with a double quote (the quotes are removed), else up to the end of the switch.
  // A letter with nothing behind it is no text switch. Returns the empty text when missing.
  std::string TakeText(char letter);

  // True when any part of a switch word was not taken by a reader (an unknown, repeated or
  // malformed switch): the tool shows its usage.
  bool HasLeftover() const;

  // What the tool did not understand, as the user typed it ("/Xq", "-L4x"): the first switch
  // with anything left over, else the first name beyond the `names_taken` the tool reads; ""
  // when everything was understood.
  std::string NotUnderstood(size_t names_taken) const;

  // The words that are names, in command-line order.
  const std::vector<std::string>& names() const { return names_; }

 private:
  // One switch of a switch word: its letter as typed and what follows it up to the next mark.
  struct Piece {
    char letter;
    std::string payload;
    std::string typed;  // the mark, the letter and the payload as they stood on the line
    bool letter_taken = false;
  };

  Piece* FindUntaken(char letter, bool (*suits)(const std::string& payload));

  std::vector<Piece> pieces_;
  std::vector<std::string> names_;
};

// The report switches that every tool reads first: "/#" with a channel number names the
// report channel that receives the completion report, and a bare "/#" closes the status
// window by itself when the run ends. A negative number is taken but names no channel.
struct ReportSwitches {
  std::optional<uint32_t> channel;
  bool close_when_done = false;
};
ReportSwitches TakeReportSwitches(SwitchLine& line);

}  // namespace kinet::toolkit
