// Text on the player's image (or in the print file while printing), the text cursor, the
// three colours and the font. Handlers read their parameters through the interpreter
// (argument forms and errors as in scriptplayer/engine/interpreter.h).
#pragma once

namespace kinet::script {
class Interpreter;
}

namespace kinet::script::cmd {

void Text(Interpreter& in);                // text
void TextNoCr(Interpreter& in);            // text
void TextBegin(Interpreter& in);           // the text lines up to TEXTEND
void TextSetXY(Interpreter& in);           // n x, n y
void TextX(Interpreter& in);               // -> name
void TextY(Interpreter& in);               // -> name
void TextColor(Interpreter& in);           // n colour
void TextBackColor(Interpreter& in);       // n colour
void TextTransColor(Interpreter& in);      // n colour
void TextFontFromBitmap(Interpreter& in);  // b or 0, n width, n height, n first, n last
void BitmapText(Interpreter& in);          // b, n x, n y, text

}  // namespace kinet::script::cmd
