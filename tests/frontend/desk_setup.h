// The main window's setup in a test: settings in the test's folder, the tools' directory
// (/usr/bin unless named), programs started by the given (recording) starter.
#pragma once

#include "frontend/gui/main_window.h"
#include "tests/frontend/recording_host.h"

namespace kinet::desk::testing {

inline DeskSetup TestDeskSetup(const TempFolder& dir, platform::ProgramStarter& starter,
                               const std::string& program_dir = "/usr/bin") {
  DeskSetup setup;
  setup.settings.read_path = setup.settings.write_path = dir / "Kinetor.INI";
  setup.places = {program_dir, dir.path(), 10, 10};
  setup.starter = &starter;
  return setup;
}

}  // namespace kinet::desk::testing
