// The main page (Tmainform) with its buttons to the other pages, and the page list.
#include "frontend/gui/pages.h"

#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/gui/command_page.h"
#include "frontend/gui/graphics_page.h"
#include "frontend/gui/kinet_page.h"
#include "frontend/gui/play_page.h"
#include "frontend/gui/script_page.h"
#include "frontend/gui/sound_pages.h"
#include "frontend/gui/main_window.h"
#include "frontend/gui/tool_tabs.h"
#include "platform/program_info/program_info.h"

namespace kinet::desk {
namespace {

struct PageButton {
  const char* caption;
  const char* purpose;
};

constexpr PageButton kPageButtons[] = {
    {"&Kinet", "Compress flics, AVI files, pictures and series into video files"},
    {"Mi&xer", "Add or replace a sound track of a video file"},
    {"&Player", "Play video files with their sound"},
    {"&Scriptor", "Write and run presentation scripts"},
    {"&Graphics Processor", "Convert and re-colour graphics, write flics and series"},
    {"S&ound Processor", "Turn any sound input into a WAV file"},
    {"&Command", "Type commands, run batch files, read the history"},
};

class MainPage : public Page {
 public:
  explicit MainPage(MainWindow& window) {
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel("<b>Kinetor</b> &mdash; 8-bit video and animation with sound");
    layout->addWidget(title);
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    int row = 0;
    for (const PageButton& b : kPageButtons) {
      auto* button = new QPushButton(b.caption);
      button->setMinimumWidth(170);
      const int page = row + 1;
      connect(button, &QPushButton::clicked, this, [&window, page] { window.SetTag(page); });
      grid->addWidget(button, row, 0);
      grid->addWidget(new QLabel(b.purpose), row++, 1);
    }
    layout->addLayout(grid);
    layout->addStretch(1);
    auto* row_of_buttons = new QHBoxLayout;
    auto* about = new QPushButton("&About");
    auto* info = new QPushButton("S&ystem Information");
    auto* frame_rate = new QPushButton("&Frame Rate");
    frame_rate->setObjectName("mainframerate");
    OfferFrameRateTool(frame_rate, window, "Change the frame rate stored in a video file.");
    auto* how = new QPushButton("Ho&w do I...?");
    auto* help = new QPushButton("&Help");
    row_of_buttons->addWidget(about);
    row_of_buttons->addWidget(info);
    row_of_buttons->addWidget(frame_rate);
    row_of_buttons->addStretch(1);
    row_of_buttons->addWidget(how);
    row_of_buttons->addWidget(help);
    layout->addLayout(row_of_buttons);
    connect(about, &QPushButton::clicked, this, [this] {
      QMessageBox::about(this, "About Kinetor",
                         QString::fromStdString("Kinetor for Windows\nkinetdesk, the desktop of the Kinetor tools\n"
                                                "Version " +
                                                std::string(platform::PackageVersion())));
    });
    connect(info, &QPushButton::clicked, this, [&window] { window.Run("", "TOVSIW"); });
    // Without arguments the tool reports its usage in the history.
    connect(frame_rate, &QPushButton::clicked, this, [&window] { window.Run("", "KinetFR"); });
    connect(how, &QPushButton::clicked, this, [&window] { window.OpenHowTo(); });
    connect(help, &QPushButton::clicked, this, [&window] { window.OpenHelp(); });
  }
};

}  // namespace

Page* MakePage(int index, MainWindow& window) {
  switch (index) {
    case kMainPage:
      return new MainPage(window);
    case kKinetPage:
      return new KinetPage(window);
    case kMixerPage:
      return new MixPageForm(window);
    case kPlayerPage:
      return new PlayPageForm(window);
    case kScriptorPage:
      return new ScriptPageForm(window);
    case kGraphicsPage:
      return new GraphicsPageForm(window);
    case kSoundPage:
      return new SoundPageForm(window);
    default:
      return new CommandPage(window);
  }
}

}  // namespace kinet::desk
