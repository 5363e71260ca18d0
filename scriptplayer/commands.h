// Command handlers by family. Each reads its parameters through the interpreter (argument
// forms and errors as in interpreter.h) and stores results in variables.
#pragma once

namespace kinet::script {
class Interpreter;
}

namespace kinet::script::cmd {

// commands_flow.cc: jumps, subroutines, nested files, conditions.
void Call(Interpreter& in);
void CallAndGosub(Interpreter& in);
void End(Interpreter& in);
void Exit(Interpreter& in);
void Gosub(Interpreter& in);
void Goto(Interpreter& in);
void If(Interpreter& in);
void IfSet(Interpreter& in);
void Interpret(Interpreter& in);
void Return(Interpreter& in);

// commands_compute.cc: 32-bit signed arithmetic.
void Compute(Interpreter& in);
void ComputeAbs(Interpreter& in);
void ComputeSqrt(Interpreter& in);

// commands_variable.cc: variables and the debug trace.
void VarFree(Interpreter& in);
void VarList(Interpreter& in);
void VarPop(Interpreter& in);
void VarPush(Interpreter& in);
void VarSet(Interpreter& in);
void DebugFile(Interpreter& in);
void DebugText(Interpreter& in);

// commands_file.cc: data files by handle.
void FileAppend(Interpreter& in);
void FileClose(Interpreter& in);
void FileCreate(Interpreter& in);
void FileEof(Interpreter& in);
void FileExists(Interpreter& in);
void FileList(Interpreter& in);
void FileOpen(Interpreter& in);
void FileRead(Interpreter& in);
void FileSize(Interpreter& in);
void FileWrite(Interpreter& in);

// commands_directory.cc: files by name, directories and drives.
void FileCdRom(Interpreter& in);
void FileCopy(Interpreter& in);
void FileDelete(Interpreter& in);
void FileFind(Interpreter& in);
void FileFindNext(Interpreter& in);
void FileFullPath(Interpreter& in);
void FileGetAttrib(Interpreter& in);
void FilePieces(Interpreter& in);
void FileRemote(Interpreter& in);
void FileRemovable(Interpreter& in);
void FileRename(Interpreter& in);
void FileSetAttrib(Interpreter& in);
void FileTemp(Interpreter& in);
void DirChange(Interpreter& in);
void DirCurrent(Interpreter& in);
void DirExists(Interpreter& in);
void DirMake(Interpreter& in);
void DirRemove(Interpreter& in);
void DriveAvail(Interpreter& in);
void DriveSize(Interpreter& in);

// commands_string.cc: text functions.
void StrAddBackslash(Interpreter& in);
void StrFind(Interpreter& in);
void StrFirst(Interpreter& in);
void StrIsLabel(Interpreter& in);
void StrIsNumeric(Interpreter& in);
void StrLCase(Interpreter& in);
void StrLength(Interpreter& in);
void StrLPad(Interpreter& in);
void StrLPadZero(Interpreter& in);
void StrPiece(Interpreter& in);
void StrRepeat(Interpreter& in);
void StrRPad(Interpreter& in);
void StrTrim(Interpreter& in);
void StrUCase(Interpreter& in);

// commands_system.cc: time, random numbers, environment, programs, system facts.
void Delay(Interpreter& in);
void DelayUntil(Interpreter& in);
void EnvGet(Interpreter& in);
void EnvSet(Interpreter& in);
void Execute(Interpreter& in);
void Random(Interpreter& in);
void Randomize(Interpreter& in);
void SystemCommandLine(Interpreter& in);
void SystemCurrentExe(Interpreter& in);
void SystemCurrentScript(Interpreter& in);
void SystemDateTime(Interpreter& in);
void SystemMemory(Interpreter& in);
void SystemOsMajor(Interpreter& in);
void SystemOsMinor(Interpreter& in);
void SystemPlatform(Interpreter& in);
void SystemTimer(Interpreter& in);

// commands_print.cc: print output, and TEXT / TEXTNOCR while printing.
void PrintBegin(Interpreter& in);
void PrintEnd(Interpreter& in);
void PrintPageAdv(Interpreter& in);
void Text(Interpreter& in);
void TextNoCr(Interpreter& in);

// commands_bitmap.cc: memory bitmaps.
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

// commands_bitmap_copy.cc: copies between bitmaps and palette values.
void BitmapToBitmap(Interpreter& in);
void BitmapToBitmapTrans(Interpreter& in);
void BitmapToBitmapMask(Interpreter& in);
void BitmapPaletteToPalette(Interpreter& in);
void BitmapGetPaletteValue(Interpreter& in);
void BitmapSetPaletteValue(Interpreter& in);
void BitmapGetBrightestPaletteIndex(Interpreter& in);
void BitmapGetDarkestPaletteIndex(Interpreter& in);

// commands_animation.cc: the animation commands that need no window. No animation can be open
// before the video library joins the player, so every animation handle is reported as bad.
void AnimationQuery(Interpreter& in);   // -> name, a
void AnimationAction(Interpreter& in);  // a, ...

// The screen, animation, input, mouse and sound commands: they need the player window, which
// this player does not open yet, so each reports the missing window.
void NeedsWindow(Interpreter& in);

}  // namespace kinet::script::cmd
