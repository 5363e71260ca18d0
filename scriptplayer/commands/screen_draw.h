// Drawing on the player's image at coordinates plus the image origin, and copies between
// bitmaps and the image; each copies what it changed to the window. Handlers read their
// parameters through the interpreter (argument forms and errors as in
// scriptplayer/engine/interpreter.h).
#pragma once

namespace kinet::script {
class Interpreter;
}

namespace kinet::script::cmd {

void ScreenClear(Interpreter& in);          // n colour
void ScreenSetPixel(Interpreter& in);       // n x, n y, n colour
void ScreenGetPixel(Interpreter& in);       // -> name, n x, n y
void ScreenLine(Interpreter& in);           // n x1, n y1, n x2, n y2, n colour
void ScreenBox(Interpreter& in);            // n x, n y, n width, n height, n colour
void ScreenFilledBox(Interpreter& in);      // n x, n y, n width, n height, n colour
void BitmapToScreen(Interpreter& in);       // b, n x, n y
void BitmapToScreenTrans(Interpreter& in);  // b, n x, n y, n colour
void BitmapToScreenMask(Interpreter& in);   // b, b mask, n x, n y, n colour
void BitmapFromScreen(Interpreter& in);     // b, n x, n y

}  // namespace kinet::script::cmd
