// The batch player's window: the file's lines, the line running, and Cancel. It keeps the main
// window from closing while it runs and ticks the batch player every 100 ms.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QTimer>

#include "frontend/core/batch_player.h"

namespace kinet::desk {

class MainWindow;

class BatchWindow : public QDialog {
 public:
  BatchWindow(MainWindow& main, platform::ProgramStarter& starter);
  // Loads and starts the file; false (after the error box) when it cannot be loaded.
  bool Start(const std::string& file, const std::string& parameters);
  // The awaited tool reported back.
  void ReportArrived() { player_.ReportArrived(); }
  bool finished() const { return player_.finished(); }
  // Asks "Cancel the batch file ?" and stops after the current line on Yes.
  void AskCancel();

 protected:
  void reject() override { AskCancel(); }

 private:
  void Tick();

  MainWindow& main_;
  BatchPlayer player_;
  QLabel* current_;
  QListWidget* lines_;
  QTimer timer_;
};

}  // namespace kinet::desk
