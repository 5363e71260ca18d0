// The player window: opening and closing it, the screen settings word, the window's frame,
// title and place, and what scripts may ask about it. Handlers read their parameters through
// the interpreter (argument forms and errors as in scriptplayer/engine/interpreter.h).
#pragma once

namespace kinet::script {
class Interpreter;
}

namespace kinet::script::cmd {

void ScreenGraphics(Interpreter& in);  // -> name, n width, n height
void ScreenText(Interpreter& in);
void ScreenSettingsCommand(Interpreter& in);    // n
void ScreenInfo(Interpreter& in);               // -> name
void ScreenWidth(Interpreter& in);              // -> name
void ScreenHeight(Interpreter& in);             // -> name
void ScreenAdjustXY(Interpreter& in);           // n x, n y
void ScreenWindowAutoPause(Interpreter& in);    // n
void ScreenWindowBorder(Interpreter& in);       // n
void ScreenWindowTitle(Interpreter& in);        // text
void ScreenWindowPos(Interpreter& in);          // n x, n y
void ScreenWindowHasFocus(Interpreter& in);     // -> name
void ScreenWindowHwnd(Interpreter& in);         // -> name
void ScreenWindowHpal(Interpreter& in);         // -> name
void SystemDisplayResolution(Interpreter& in);  // n

}  // namespace kinet::script::cmd
