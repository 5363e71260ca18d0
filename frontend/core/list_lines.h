// The list editor's lines without widgets: a line of a list file is a file name optionally
// followed by " /s" + start frame and " /e" + end frame, the per-line switches the tools'
// list readers take.
#pragma once

#include <string>

namespace kinet::desk {

struct ListLine {
  std::string name;        // trimmed, without the switches
  std::string start, end;  // the numbers after /S and /E ("" when absent)
};

// Reads a line; the switch letters are taken in either case.
ListLine ParseListLine(const std::string& line);

// The line as the editor writes it back: the name, " /s" + start and " /e" + end, each switch
// only when its number is not empty.
std::string ListLineText(const ListLine& line);

}  // namespace kinet::desk
