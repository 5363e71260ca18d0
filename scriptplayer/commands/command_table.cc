#include "scriptplayer/engine/command_table.h"

#include <algorithm>
#include <array>

#include "scriptplayer/commands/animations.h"
#include "scriptplayer/commands/bitmap_copy.h"
#include "scriptplayer/commands/bitmaps.h"
#include "scriptplayer/commands/compute.h"
#include "scriptplayer/commands/directories.h"
#include "scriptplayer/commands/files.h"
#include "scriptplayer/commands/flow.h"
#include "scriptplayer/commands/print.h"
#include "scriptplayer/commands/strings.h"
#include "scriptplayer/commands/system.h"
#include "scriptplayer/commands/variables.h"
#include "scriptplayer/commands/window.h"

namespace kinet::script {
namespace {

struct Entry {
  std::string_view name;
  Handler handler;
};

// Strictly ascending byte order, which the binary search needs (HPAL sorts before HWND).
constexpr std::array<Entry, kCommandCount> kCommands = {{
    {"ANIMATIONADVANCE", cmd::AnimationAction},
    {"ANIMATIONADVANCENOPALETTE", cmd::AnimationAction},
    {"ANIMATIONBACKTOSTART", cmd::AnimationAction},
    {"ANIMATIONCLOSE", cmd::AnimationAction},
    {"ANIMATIONDELAY", cmd::AnimationAction},
    {"ANIMATIONFRAMES", cmd::AnimationQuery},
    {"ANIMATIONGOTO", cmd::AnimationAction},
    {"ANIMATIONHEIGHT", cmd::AnimationQuery},
    {"ANIMATIONLIST", cmd::NeedsWindow},
    {"ANIMATIONLOADTOBITMAP", cmd::NeedsWindow},
    {"ANIMATIONOPEN", cmd::NeedsWindow},
    {"ANIMATIONPLAY", cmd::NeedsWindow},
    {"ANIMATIONSTILLDELAY", cmd::AnimationQuery},
    {"ANIMATIONTOBITMAP", cmd::AnimationAction},
    {"ANIMATIONTOSCREEN", cmd::NeedsWindow},
    {"ANIMATIONTRACKS", cmd::NeedsWindow},
    {"ANIMATIONWIDTH", cmd::AnimationQuery},
    {"BITMAPALLOC", cmd::BitmapAlloc},
    {"BITMAPBOX", cmd::BitmapBox},
    {"BITMAPCHANGECOLOR", cmd::BitmapChangeColor},
    {"BITMAPCLEAR", cmd::BitmapClear},
    {"BITMAPFADEINPALETTE", cmd::NeedsWindow},
    {"BITMAPFILLEDBOX", cmd::BitmapFilledBox},
    {"BITMAPFREE", cmd::BitmapFree},
    {"BITMAPFROMSCREEN", cmd::NeedsWindow},
    {"BITMAPGETBRIGHTESTPALETTEINDEX", cmd::BitmapGetBrightestPaletteIndex},
    {"BITMAPGETDARKESTPALETTEINDEX", cmd::BitmapGetDarkestPaletteIndex},
    {"BITMAPGETPALETTE", cmd::NeedsWindow},
    {"BITMAPGETPALETTEVALUE", cmd::BitmapGetPaletteValue},
    {"BITMAPGETPIXEL", cmd::BitmapGetPixel},
    {"BITMAPHEIGHT", cmd::BitmapHeight},
    {"BITMAPLINE", cmd::BitmapLine},
    {"BITMAPLIST", cmd::BitmapList},
    {"BITMAPPALETTETOPALETTE", cmd::BitmapPaletteToPalette},
    {"BITMAPSETPALETTE", cmd::NeedsWindow},
    {"BITMAPSETPALETTEVALUE", cmd::BitmapSetPaletteValue},
    {"BITMAPSETPIXEL", cmd::BitmapSetPixel},
    {"BITMAPTEXT", cmd::NeedsWindow},
    {"BITMAPTOBITMAP", cmd::BitmapToBitmap},
    {"BITMAPTOBITMAPMASK", cmd::BitmapToBitmapMask},
    {"BITMAPTOBITMAPTRANS", cmd::BitmapToBitmapTrans},
    {"BITMAPTOSCREEN", cmd::NeedsWindow},
    {"BITMAPTOSCREENMASK", cmd::NeedsWindow},
    {"BITMAPTOSCREENTRANS", cmd::NeedsWindow},
    {"BITMAPWIDTH", cmd::BitmapWidth},
    {"CALL", cmd::Call},
    {"CALLANDGOSUB", cmd::CallAndGosub},
    {"COMPUTE", cmd::Compute},
    {"COMPUTEABS", cmd::ComputeAbs},
    {"COMPUTESQRT", cmd::ComputeSqrt},
    {"DEBUGFILE", cmd::DebugFile},
    {"DEBUGTEXT", cmd::DebugText},
    {"DELAY", cmd::Delay},
    {"DELAYUNTIL", cmd::DelayUntil},
    {"DIRCHANGE", cmd::DirChange},
    {"DIRCURRENT", cmd::DirCurrent},
    {"DIREXISTS", cmd::DirExists},
    {"DIRMAKE", cmd::DirMake},
    {"DIRREMOVE", cmd::DirRemove},
    {"DRIVEAVAIL", cmd::DriveAvail},
    {"DRIVESIZE", cmd::DriveSize},
    {"END", cmd::End},
    {"ENVGET", cmd::EnvGet},
    {"ENVSET", cmd::EnvSet},
    {"EXECUTE", cmd::Execute},
    {"EXIT", cmd::Exit},
    {"FILEAPPEND", cmd::FileAppend},
    {"FILECDROM", cmd::FileCdRom},
    {"FILECLOSE", cmd::FileClose},
    {"FILECOPY", cmd::FileCopy},
    {"FILECREATE", cmd::FileCreate},
    {"FILEDELETE", cmd::FileDelete},
    {"FILEEOF", cmd::FileEof},
    {"FILEEXISTS", cmd::FileExists},
    {"FILEFIND", cmd::FileFind},
    {"FILEFINDNEXT", cmd::FileFindNext},
    {"FILEFULLPATH", cmd::FileFullPath},
    {"FILEGETATTRIB", cmd::FileGetAttrib},
    {"FILELIST", cmd::FileList},
    {"FILEOPEN", cmd::FileOpen},
    {"FILEPIECES", cmd::FilePieces},
    {"FILEREAD", cmd::FileRead},
    {"FILEREMOTE", cmd::FileRemote},
    {"FILEREMOVABLE", cmd::FileRemovable},
    {"FILERENAME", cmd::FileRename},
    {"FILESETATTRIB", cmd::FileSetAttrib},
    {"FILESIZE", cmd::FileSize},
    {"FILETEMP", cmd::FileTemp},
    {"FILEWRITE", cmd::FileWrite},
    {"GOSUB", cmd::Gosub},
    {"GOTO", cmd::Goto},
    {"IF", cmd::If},
    {"IFSET", cmd::IfSet},
    {"INPUTCHAR", cmd::NeedsWindow},
    {"INPUTCHARORDELAY", cmd::NeedsWindow},
    {"INPUTMSGWIN", cmd::NeedsWindow},
    {"INPUTSTR", cmd::NeedsWindow},
    {"INPUTSTRWIN", cmd::NeedsWindow},
    {"INTERPRET", cmd::Interpret},
    {"MCISENDSTRING", cmd::NeedsWindow},
    {"MOUSEADD", cmd::NeedsWindow},
    {"MOUSEAREA", cmd::NeedsWindow},
    {"MOUSEMODE", cmd::NeedsWindow},
    {"MOUSEPOP", cmd::NeedsWindow},
    {"MOUSEPRESENT", cmd::NeedsWindow},
    {"MOUSEPUSHANDREMOVEALL", cmd::NeedsWindow},
    {"MOUSEREMOVE", cmd::NeedsWindow},
    {"MOUSEREMOVEALL", cmd::NeedsWindow},
    {"MOUSESETXY", cmd::NeedsWindow},
    {"MOUSEX", cmd::NeedsWindow},
    {"MOUSEY", cmd::NeedsWindow},
    {"PRINTBEGIN", cmd::PrintBegin},
    {"PRINTEND", cmd::PrintEnd},
    {"PRINTPAGEADV", cmd::PrintPageAdv},
    {"RANDOM", cmd::Random},
    {"RANDOMIZE", cmd::Randomize},
    {"RETURN", cmd::Return},
    {"SCREENADJUSTXY", cmd::NeedsWindow},
    {"SCREENBOX", cmd::NeedsWindow},
    {"SCREENCLEAR", cmd::NeedsWindow},
    {"SCREENFADEOUTCLEAR", cmd::NeedsWindow},
    {"SCREENFADESPEED", cmd::NeedsWindow},
    {"SCREENFILLEDBOX", cmd::NeedsWindow},
    {"SCREENFORCEPALETTEZEROBLACK", cmd::NeedsWindow},
    {"SCREENGETBRIGHTESTPALETTEINDEX", cmd::NeedsWindow},
    {"SCREENGETDARKESTPALETTEINDEX", cmd::NeedsWindow},
    {"SCREENGETPIXEL", cmd::NeedsWindow},
    {"SCREENGRAPHICS", cmd::NeedsWindow},
    {"SCREENHEIGHT", cmd::NeedsWindow},
    {"SCREENINFO", cmd::NeedsWindow},
    {"SCREENLINE", cmd::NeedsWindow},
    {"SCREENPALETTELOCK", cmd::NeedsWindow},
    {"SCREENSETPIXEL", cmd::NeedsWindow},
    {"SCREENSETTINGS", cmd::NeedsWindow},
    {"SCREENTEXT", cmd::NeedsWindow},
    {"SCREENWIDTH", cmd::NeedsWindow},
    {"SCREENWINDOWAUTOPAUSE", cmd::NeedsWindow},
    {"SCREENWINDOWBORDER", cmd::NeedsWindow},
    {"SCREENWINDOWHASFOCUS", cmd::NeedsWindow},
    {"SCREENWINDOWHPAL", cmd::NeedsWindow},
    {"SCREENWINDOWHWND", cmd::NeedsWindow},
    {"SCREENWINDOWPOS", cmd::NeedsWindow},
    {"SCREENWINDOWTITLE", cmd::NeedsWindow},
    {"SOUND", cmd::NeedsWindow},
    {"STRADDBACKSLASH", cmd::StrAddBackslash},
    {"STRFIND", cmd::StrFind},
    {"STRFIRST", cmd::StrFirst},
    {"STRISLABEL", cmd::StrIsLabel},
    {"STRISNUMERIC", cmd::StrIsNumeric},
    {"STRLCASE", cmd::StrLCase},
    {"STRLENGTH", cmd::StrLength},
    {"STRLPAD", cmd::StrLPad},
    {"STRLPADZERO", cmd::StrLPadZero},
    {"STRPIECE", cmd::StrPiece},
    {"STRREPEAT", cmd::StrRepeat},
    {"STRRPAD", cmd::StrRPad},
    {"STRTRIM", cmd::StrTrim},
    {"STRUCASE", cmd::StrUCase},
    {"SYSTEMCOLORS", cmd::NeedsWindow},
    {"SYSTEMCOMMANDLINE", cmd::SystemCommandLine},
    {"SYSTEMCURRENTEXE", cmd::SystemCurrentExe},
    {"SYSTEMCURRENTSCRIPT", cmd::SystemCurrentScript},
    {"SYSTEMDATETIME", cmd::SystemDateTime},
    {"SYSTEMDISPLAYRESOLUTION", cmd::NeedsWindow},
    {"SYSTEMMEMORY", cmd::SystemMemory},
    {"SYSTEMOSMAJOR", cmd::SystemOsMajor},
    {"SYSTEMOSMINOR", cmd::SystemOsMinor},
    {"SYSTEMPLATFORM", cmd::SystemPlatform},
    {"SYSTEMTIMER", cmd::SystemTimer},
    {"SYSTEMUSEDIRECTSOUND", cmd::NeedsWindow},
    {"TEXT", cmd::Text},
    {"TEXTBACKCOLOR", cmd::NeedsWindow},
    {"TEXTBEGIN", cmd::NeedsWindow},
    {"TEXTCOLOR", cmd::NeedsWindow},
    {"TEXTFONTFROMBITMAP", cmd::NeedsWindow},
    {"TEXTNOCR", cmd::TextNoCr},
    {"TEXTSETXY", cmd::NeedsWindow},
    {"TEXTTRANSCOLOR", cmd::NeedsWindow},
    {"TEXTX", cmd::NeedsWindow},
    {"TEXTY", cmd::NeedsWindow},
    {"VARFREE", cmd::VarFree},
    {"VARLIST", cmd::VarList},
    {"VARPOP", cmd::VarPop},
    {"VARPUSH", cmd::VarPush},
    {"VARSET", cmd::VarSet},
}};

constexpr bool IsStrictlySorted() {
  for (size_t i = 1; i < kCommands.size(); ++i) {
    if (!(kCommands[i - 1].name < kCommands[i].name)) return false;
  }
  return true;
}
static_assert(IsStrictlySorted(), "command names must be in strictly ascending byte order");

}  // namespace

int FindCommand(std::string_view upper_name) {
  auto it =
      std::lower_bound(kCommands.begin(), kCommands.end(), upper_name,
                       [](const Entry& entry, std::string_view name) { return entry.name < name; });
  if (it == kCommands.end() || it->name != upper_name) return -1;
  return static_cast<int>(it - kCommands.begin());
}

std::string_view CommandName(int index) { return kCommands[static_cast<size_t>(index)].name; }

Handler CommandHandler(int index) { return kCommands[static_cast<size_t>(index)].handler; }

}  // namespace kinet::script
