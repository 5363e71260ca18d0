// Memory bitmaps: allocation, size, pixels, drawing and the bitmap list. Handlers read their
// parameters through the interpreter (argument forms and errors as in
// scriptplayer/engine/interpreter.h).
#pragma once

#include <cstddef>

#include "scriptplayer/commands/bitmap_table.h"
#include "scriptplayer/engine/family_state.h"

namespace kinet::script {
class Interpreter;
}

namespace kinet::script::cmd {

// The bitmap table, bounded by the run's bitmap budget.
struct BitmapState : FamilyState {
  explicit BitmapState(Interpreter& in);
  BitmapTable table;
};

// The bitmap table of the run.
BitmapTable& Bitmaps(Interpreter& in);
// Argument form b: an allocated bitmap ("  Bad frame parameter:" otherwise).
Bitmap& ArgBitmap(Interpreter& in);

void BitmapAlloc(Interpreter& in);
void BitmapFree(Interpreter& in);
void BitmapWidth(Interpreter& in);
void BitmapHeight(Interpreter& in);
void BitmapClear(Interpreter& in);
void BitmapSetPixel(Interpreter& in);
void BitmapGetPixel(Interpreter& in);
void BitmapLine(Interpreter& in);
void BitmapBox(Interpreter& in);
void BitmapFilledBox(Interpreter& in);
void BitmapChangeColor(Interpreter& in);
void BitmapList(Interpreter& in);

}  // namespace kinet::script::cmd
