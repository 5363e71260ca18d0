// The player with its window: the host of kinetscriptw and of the window tests.
#pragma once

#include "scriptplayer/player_host.h"
#include "scriptplayer/window/screen.h"

namespace kinet::script {

class WindowHost : public PlayerHost {
 public:
  using PlayerHost::PlayerHost;

  // Handles the window's events and services the sound output; while auto-pause holds and
  // the window lacks the focus, keeps doing so before it returns.
  void Pump() override;
  void CommandStarts() override { screen_.TakePointerOff(); }
  void CommandEnded() override { screen_.PutPointerBack(); }
  bool WindowExists() const override { return screen_.IsOpen(); }
  void DrawTextLine(std::string_view text) override;
  Screen* screen() override { return &screen_; }

 private:
  Screen screen_;
};

}  // namespace kinet::script
