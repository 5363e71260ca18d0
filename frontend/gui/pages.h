// The pages of the main window, made on demand.
#pragma once

#include "frontend/gui/page.h"

namespace kinet::desk {

class MainWindow;

// A new page for tab `index` (PageIndex); the caller owns it.
Page* MakePage(int index, MainWindow& window);

}  // namespace kinet::desk
