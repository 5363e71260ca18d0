// MCISENDSTRING: the command strings for sound files that this player carries out, with one
// sound open at a time. Handlers read their parameters through the interpreter (argument forms
// and errors as in scriptplayer/engine/interpreter.h).
//
//   open <file> [type waveaudio] [alias <name>]   loads a WAV file of 8- or 16-bit PCM
//   play <file or name> [wait] [notify]            plays it from the start (opening a file first)
//   stop <file, name or all>                       stops it
//   close <file, name or all>                      stops it and forgets it
//   status <file or name> mode                     "playing" or "stopped"
//
// The reply is empty, or the status; a command that fails, and any other command, gives
// "Error: " and the reason.
#pragma once

#include <string>
#include <string_view>

namespace kinet::script {
class Interpreter;
}

namespace kinet::script::cmd {

void MciSendString(Interpreter& in);  // -> name, text command

}  // namespace kinet::script::cmd
