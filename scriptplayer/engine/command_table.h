// The command vocabulary: 185 names in strictly ascending byte order, each with its handler.
// A compiled record stores the index, so the order is part of the compiled form.
#pragma once

#include <cstddef>
#include <string_view>

namespace kinet::script {

class Interpreter;
// A handler reads its parameters through the interpreter's tokenizer, does its work, and may
// set the run state or the read position.
using Handler = void (*)(Interpreter&);

inline constexpr size_t kCommandCount = 185;

// Index (0-184) of the command with exactly this upper-case name, by binary search; -1 when
// there is none.
int FindCommand(std::string_view upper_name);
std::string_view CommandName(int index);
Handler CommandHandler(int index);
// True for the command whose following lines, up to a line TEXTEND, are text and not commands.
bool OpensTextBlock(int index);
// True for a command that never draws on, reads or shows the player's image, so the host need
// not take its drawn pointer off for it.
bool LeavesImageAlone(int index);

// Compiled records that are not commands: a text line of such a block, and the block's end.
inline constexpr uint8_t kTextLineRecord = 255;
inline constexpr uint8_t kTextEndRecord = 254;

}  // namespace kinet::script
