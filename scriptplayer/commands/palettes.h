// The screen palette: taking it from and giving it to bitmaps, fades, locks, and its brightest
// and darkest entries. Handlers read their parameters through the interpreter (argument forms
// and errors as in scriptplayer/engine/interpreter.h).
#pragma once

#include <cstdint>

namespace kinet::script {
class Interpreter;
class Screen;
}  // namespace kinet::script

namespace kinet::script::cmd {

// Fades the screen palette in to `target` (256 x red, green, blue), waiting the fade speed
// after each step while the window keeps working.
void FadeInPalette(Interpreter& in, Screen& screen, const uint8_t* target);
// Fades the screen palette to black in 16 steps.
void FadeOutPalette(Interpreter& in, Screen& screen);

void BitmapGetPalette(Interpreter& in);                // b
void BitmapSetPalette(Interpreter& in);                // b
void BitmapFadeInPalette(Interpreter& in);             // b
void ScreenFadeOutClear(Interpreter& in);              // n colour
void ScreenFadeSpeed(Interpreter& in);                 // n ms per step
void ScreenPaletteLock(Interpreter& in);               // n first, n count, n on
void ScreenForcePaletteZeroBlack(Interpreter& in);     // n on
void ScreenGetBrightestPaletteIndex(Interpreter& in);  // -> name
void ScreenGetDarkestPaletteIndex(Interpreter& in);    // -> name

}  // namespace kinet::script::cmd
