// Copies between bitmaps, and palette values. Handlers read their parameters through the
// interpreter (argument forms and errors as in scriptplayer/engine/interpreter.h).
#pragma once

namespace kinet::script {
class Interpreter;
}

namespace kinet::script::cmd {

void BitmapToBitmap(Interpreter& in);
void BitmapToBitmapTrans(Interpreter& in);
void BitmapToBitmapMask(Interpreter& in);
void BitmapPaletteToPalette(Interpreter& in);
void BitmapGetPaletteValue(Interpreter& in);
void BitmapSetPaletteValue(Interpreter& in);
void BitmapGetBrightestPaletteIndex(Interpreter& in);
void BitmapGetDarkestPaletteIndex(Interpreter& in);

}  // namespace kinet::script::cmd
