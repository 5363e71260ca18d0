// The right-button menus of a picker's file, directory and drive lists, their keys while the
// list has the focus, and viewing a file by a double click. Every operation runs as a command
// in the list's directory, so the history shows it like a typed one.
#pragma once

#include "frontend/gui/file_picker.h"

namespace kinet::desk {

class MainWindow;

// Gives the picker's lists their menus; a double click on a file views it unless the page
// gives the picker its own `on_open` afterwards.
void AttachFileMenus(FilePicker& picker, MainWindow& window);

}  // namespace kinet::desk
