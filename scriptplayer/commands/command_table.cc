#include "scriptplayer/engine/command_table.h"

#include <algorithm>
#include <array>

#include "scriptplayer/commands/animations.h"
#include "scriptplayer/commands/bitmap_copy.h"
#include "scriptplayer/commands/bitmaps.h"
#include "scriptplayer/commands/compute.h"
#include "scriptplayer/commands/dialogs.h"
#include "scriptplayer/commands/directories.h"
#include "scriptplayer/commands/files.h"
#include "scriptplayer/commands/flow.h"
#include "scriptplayer/commands/input.h"
#include "scriptplayer/commands/mci.h"
#include "scriptplayer/commands/mouse.h"
#include "scriptplayer/commands/palettes.h"
#include "scriptplayer/commands/print.h"
#include "scriptplayer/commands/screen.h"
#include "scriptplayer/commands/screen_draw.h"
#include "scriptplayer/commands/sounds.h"
#include "scriptplayer/commands/strings.h"
#include "scriptplayer/commands/system.h"
#include "scriptplayer/commands/text.h"
#include "scriptplayer/commands/variables.h"

namespace kinet::script {
namespace {

struct Entry {
  std::string_view name;
  Handler handler;
};

// Strictly ascending byte order, which the binary search needs (HPAL sorts before HWND).
constexpr std::array<Entry, kCommandCount> kCommands = {{
    {"ANIMATIONADVANCE", cmd::AnimationAdvance},
    {"ANIMATIONADVANCENOPALETTE", cmd::AnimationAdvanceNoPalette},
    {"ANIMATIONBACKTOSTART", cmd::AnimationBackToStart},
    {"ANIMATIONCLOSE", cmd::AnimationClose},
    {"ANIMATIONDELAY", cmd::AnimationDelay},
    {"ANIMATIONFRAMES", cmd::AnimationFrames},
    {"ANIMATIONGOTO", cmd::AnimationGoto},
    {"ANIMATIONHEIGHT", cmd::AnimationHeight},
    {"ANIMATIONLIST", cmd::AnimationList},
    {"ANIMATIONLOADTOBITMAP", cmd::AnimationLoadToBitmap},
    {"ANIMATIONOPEN", cmd::AnimationOpen},
    {"ANIMATIONPLAY", cmd::AnimationPlay},
    {"ANIMATIONSTILLDELAY", cmd::AnimationStillDelay},
    {"ANIMATIONTOBITMAP", cmd::AnimationToBitmap},
    {"ANIMATIONTOSCREEN", cmd::AnimationToScreen},
    {"ANIMATIONTRACKS", cmd::AnimationTracks},
    {"ANIMATIONWIDTH", cmd::AnimationWidth},
    {"BITMAPALLOC", cmd::BitmapAlloc},
    {"BITMAPBOX", cmd::BitmapBox},
    {"BITMAPCHANGECOLOR", cmd::BitmapChangeColor},
    {"BITMAPCLEAR", cmd::BitmapClear},
    {"BITMAPFADEINPALETTE", cmd::BitmapFadeInPalette},
    {"BITMAPFILLEDBOX", cmd::BitmapFilledBox},
    {"BITMAPFREE", cmd::BitmapFree},
    {"BITMAPFROMSCREEN", cmd::BitmapFromScreen},
    {"BITMAPGETBRIGHTESTPALETTEINDEX", cmd::BitmapGetBrightestPaletteIndex},
    {"BITMAPGETDARKESTPALETTEINDEX", cmd::BitmapGetDarkestPaletteIndex},
    {"BITMAPGETPALETTE", cmd::BitmapGetPalette},
    {"BITMAPGETPALETTEVALUE", cmd::BitmapGetPaletteValue},
    {"BITMAPGETPIXEL", cmd::BitmapGetPixel},
    {"BITMAPHEIGHT", cmd::BitmapHeight},
    {"BITMAPLINE", cmd::BitmapLine},
    {"BITMAPLIST", cmd::BitmapList},
    {"BITMAPPALETTETOPALETTE", cmd::BitmapPaletteToPalette},
    {"BITMAPSETPALETTE", cmd::BitmapSetPalette},
    {"BITMAPSETPALETTEVALUE", cmd::BitmapSetPaletteValue},
    {"BITMAPSETPIXEL", cmd::BitmapSetPixel},
    {"BITMAPTEXT", cmd::BitmapText},
    {"BITMAPTOBITMAP", cmd::BitmapToBitmap},
    {"BITMAPTOBITMAPMASK", cmd::BitmapToBitmapMask},
    {"BITMAPTOBITMAPTRANS", cmd::BitmapToBitmapTrans},
    {"BITMAPTOSCREEN", cmd::BitmapToScreen},
    {"BITMAPTOSCREENMASK", cmd::BitmapToScreenMask},
    {"BITMAPTOSCREENTRANS", cmd::BitmapToScreenTrans},
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
    {"INPUTCHAR", cmd::InputChar},
    {"INPUTCHARORDELAY", cmd::InputCharOrDelay},
    {"INPUTMSGWIN", cmd::InputMsgWin},
    {"INPUTSTR", cmd::InputStr},
    {"INPUTSTRWIN", cmd::InputStrWin},
    {"INTERPRET", cmd::Interpret},
    {"MCISENDSTRING", cmd::MciSendString},
    {"MOUSEADD", cmd::MouseAdd},
    {"MOUSEAREA", cmd::MouseAreaCommand},
    {"MOUSEMODE", cmd::MouseMode},
    {"MOUSEPOP", cmd::MousePop},
    {"MOUSEPRESENT", cmd::MousePresent},
    {"MOUSEPUSHANDREMOVEALL", cmd::MousePushAndRemoveAll},
    {"MOUSEREMOVE", cmd::MouseRemove},
    {"MOUSEREMOVEALL", cmd::MouseRemoveAll},
    {"MOUSESETXY", cmd::MouseSetXY},
    {"MOUSEX", cmd::MouseX},
    {"MOUSEY", cmd::MouseY},
    {"PRINTBEGIN", cmd::PrintBegin},
    {"PRINTEND", cmd::PrintEnd},
    {"PRINTPAGEADV", cmd::PrintPageAdv},
    {"RANDOM", cmd::Random},
    {"RANDOMIZE", cmd::Randomize},
    {"RETURN", cmd::Return},
    {"SCREENADJUSTXY", cmd::ScreenAdjustXY},
    {"SCREENBOX", cmd::ScreenBox},
    {"SCREENCLEAR", cmd::ScreenClear},
    {"SCREENFADEOUTCLEAR", cmd::ScreenFadeOutClear},
    {"SCREENFADESPEED", cmd::ScreenFadeSpeed},
    {"SCREENFILLEDBOX", cmd::ScreenFilledBox},
    {"SCREENFORCEPALETTEZEROBLACK", cmd::ScreenForcePaletteZeroBlack},
    {"SCREENGETBRIGHTESTPALETTEINDEX", cmd::ScreenGetBrightestPaletteIndex},
    {"SCREENGETDARKESTPALETTEINDEX", cmd::ScreenGetDarkestPaletteIndex},
    {"SCREENGETPIXEL", cmd::ScreenGetPixel},
    {"SCREENGRAPHICS", cmd::ScreenGraphics},
    {"SCREENHEIGHT", cmd::ScreenHeight},
    {"SCREENINFO", cmd::ScreenInfo},
    {"SCREENLINE", cmd::ScreenLine},
    {"SCREENPALETTELOCK", cmd::ScreenPaletteLock},
    {"SCREENSETPIXEL", cmd::ScreenSetPixel},
    {"SCREENSETTINGS", cmd::ScreenSettingsCommand},
    {"SCREENTEXT", cmd::ScreenText},
    {"SCREENWIDTH", cmd::ScreenWidth},
    {"SCREENWINDOWAUTOPAUSE", cmd::ScreenWindowAutoPause},
    {"SCREENWINDOWBORDER", cmd::ScreenWindowBorder},
    {"SCREENWINDOWHASFOCUS", cmd::ScreenWindowHasFocus},
    {"SCREENWINDOWHPAL", cmd::ScreenWindowHpal},
    {"SCREENWINDOWHWND", cmd::ScreenWindowHwnd},
    {"SCREENWINDOWPOS", cmd::ScreenWindowPos},
    {"SCREENWINDOWTITLE", cmd::ScreenWindowTitle},
    {"SOUND", cmd::Sound},
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
    {"SYSTEMCOLORS", cmd::SystemColors},
    {"SYSTEMCOMMANDLINE", cmd::SystemCommandLine},
    {"SYSTEMCURRENTEXE", cmd::SystemCurrentExe},
    {"SYSTEMCURRENTSCRIPT", cmd::SystemCurrentScript},
    {"SYSTEMDATETIME", cmd::SystemDateTime},
    {"SYSTEMDISPLAYRESOLUTION", cmd::SystemDisplayResolution},
    {"SYSTEMMEMORY", cmd::SystemMemory},
    {"SYSTEMOSMAJOR", cmd::SystemOsMajor},
    {"SYSTEMOSMINOR", cmd::SystemOsMinor},
    {"SYSTEMPLATFORM", cmd::SystemPlatform},
    {"SYSTEMTIMER", cmd::SystemTimer},
    {"SYSTEMUSEDIRECTSOUND", cmd::SystemUseDirectSound},
    {"TEXT", cmd::Text},
    {"TEXTBACKCOLOR", cmd::TextBackColor},
    {"TEXTBEGIN", cmd::TextBegin},
    {"TEXTCOLOR", cmd::TextColor},
    {"TEXTFONTFROMBITMAP", cmd::TextFontFromBitmap},
    {"TEXTNOCR", cmd::TextNoCr},
    {"TEXTSETXY", cmd::TextSetXY},
    {"TEXTTRANSCOLOR", cmd::TextTransColor},
    {"TEXTX", cmd::TextX},
    {"TEXTY", cmd::TextY},
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

// Commands that never draw on, read or show the player's image (language, values, text
// functions, files, waits): the drawn pointer may stay on the image while they run. Any other
// command has it taken off first.
constexpr std::string_view kImageFree[] = {
    "COMPUTE",
    "COMPUTEABS",
    "COMPUTESQRT",
    "DEBUGTEXT",
    "DELAY",
    "DELAYUNTIL",
    "DIRCHANGE",
    "DIRCURRENT",
    "DIREXISTS",
    "DIRMAKE",
    "DIRREMOVE",
    "DRIVEAVAIL",
    "DRIVESIZE",
    "ENVGET",
    "ENVSET",
    "EXECUTE",
    "FILEAPPEND",
    "FILECDROM",
    "FILECLOSE",
    "FILECOPY",
    "FILECREATE",
    "FILEDELETE",
    "FILEEOF",
    "FILEEXISTS",
    "FILEFIND",
    "FILEFINDNEXT",
    "FILEFULLPATH",
    "FILEGETATTRIB",
    "FILEOPEN",
    "FILEPIECES",
    "FILEREAD",
    "FILEREMOTE",
    "FILEREMOVABLE",
    "FILERENAME",
    "FILESETATTRIB",
    "FILESIZE",
    "FILETEMP",
    "FILEWRITE",
    "GOSUB",
    "GOTO",
    "IF",
    "IFSET",
    "INPUTMSGWIN",
    "MCISENDSTRING",
    "MOUSEAREA",
    "MOUSEMODE",
    "MOUSEPRESENT",
    "MOUSEX",
    "MOUSEY",
    "RANDOM",
    "RANDOMIZE",
    "RETURN",
    "SOUND",
    "STRADDBACKSLASH",
    "STRFIND",
    "STRFIRST",
    "STRISLABEL",
    "STRISNUMERIC",
    "STRLCASE",
    "STRLENGTH",
    "STRLPAD",
    "STRLPADZERO",
    "STRPIECE",
    "STRREPEAT",
    "STRRPAD",
    "STRTRIM",
    "STRUCASE",
    "SYSTEMCOLORS",
    "SYSTEMCOMMANDLINE",
    "SYSTEMCURRENTEXE",
    "SYSTEMCURRENTSCRIPT",
    "SYSTEMDATETIME",
    "SYSTEMMEMORY",
    "SYSTEMOSMAJOR",
    "SYSTEMOSMINOR",
    "SYSTEMPLATFORM",
    "SYSTEMTIMER",
    "TEXTX",
    "TEXTY",
    "VARFREE",
    "VARPOP",
    "VARPUSH",
    "VARSET",
};

constexpr bool AllNamed() {
  for (std::string_view name : kImageFree) {
    bool found = false;
    for (const Entry& entry : kCommands) found = found || entry.name == name;
    if (!found) return false;
  }
  return std::is_sorted(std::begin(kImageFree), std::end(kImageFree));
}
static_assert(AllNamed(), "image-free commands must be command names, in byte order");

constexpr std::array<bool, kCommandCount> kLeavesImageAlone = [] {
  std::array<bool, kCommandCount> out{};
  for (size_t i = 0; i < kCommandCount; ++i)
    out[i] = std::binary_search(std::begin(kImageFree), std::end(kImageFree), kCommands[i].name);
  return out;
}();

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

bool OpensTextBlock(int index) { return CommandName(index) == "TEXTBEGIN"; }

bool LeavesImageAlone(int index) { return kLeavesImageAlone[static_cast<size_t>(index)]; }

}  // namespace kinet::script
