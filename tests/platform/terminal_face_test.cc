// The terminal face on a scripted console: progress line, messages, questions, Ctrl-C.
#include "platform/status_window/terminal_face.h"

#include <gtest/gtest.h>

#include <deque>

#include "tests/support/scripted_console.h"

namespace kinet::platform {
namespace {

TEST(TerminalFace, ProgressLineWithoutATerminalIsOneLinePerChange) {
  ScriptedConsole console(false, false);
  TerminalFace face(console);
  face.SetStatus("Analyzing frame 1");
  face.SetStatus("Analyzing frame 1");
  face.SetStatus("Analyzing frame 2");
  face.ShowMessage(MessageIcon::kError, "Kinet", "Error creating temporary file.");
  face.ShowMessage(MessageIcon::kInformation, "Kinet", "\r\n  Switches:\r\n    /O\r\n");
  EXPECT_EQ(console.written,
            "Analyzing frame 1\nAnalyzing frame 2\nError creating temporary file.\n"
            "\n  Switches:\n    /O\n");
}

TEST(TerminalFace, ALogGetsAStatusLineEveryTwoSecondsAndTheLastOneAtTheEnd) {
  ScriptedConsole console(false, false);
  ManualClock clock;
  {
    TerminalFace face(console, clock);
    for (int frame = 1; frame <= 12; ++frame) {
      face.SetStatus("Frame " + std::to_string(frame));
      clock.Advance(500);
    }
  }
  EXPECT_EQ(console.written, "Frame 1\nFrame 5\nFrame 9\nFrame 12\n");
}

TEST(TerminalFace, AnErrorThatRepeatsTheStatusLineIsSaidOnce) {
  for (bool tty : {false, true}) {
    ScriptedConsole console(tty, false);
    TerminalFace face(console);
    face.SetStatus("Playing a.knt...");
    face.SetStatus("Error opening: a.knt");  // held back from a log: too soon after the first
    face.ShowMessage(MessageIcon::kError, "KinetPlay", "Error opening: a.knt");
    face.ShowMessage(MessageIcon::kError, "KinetPlay", "Error opening: a.knt");
    EXPECT_EQ(console.written,
              tty ? "\rPlaying a.knt...\x1b[K\rError opening: a.knt\x1b[K\nError opening: a.knt\n"
                  : "Playing a.knt...\nError opening: a.knt\nError opening: a.knt\n")
        << "terminal " << tty;
  }
}

TEST(TerminalFace, ProgressLineOnATerminalIsRewrittenInPlace) {
  ScriptedConsole console(true, true);
  {
    TerminalFace face(console);
    face.SetStatus("frame 1");
    face.SetStatus("frame 2");
    face.ShowMessage(MessageIcon::kError, "Kinet", "oops");
    face.SetStatus("done");
  }
  EXPECT_EQ(console.written, "\rframe 1\x1b[K\rframe 2\x1b[K\noops\n\rdone\x1b[K\n");
}

TEST(TerminalFace, QuestionsWithoutATerminalTakeTheDefault) {
  ScriptedConsole console(false, false);
  TerminalFace face(console);
  EXPECT_FALSE(face.AskYesNo("Kinet", "File a.knt exists, overwrite?", true));
  // The frame then shows the answer as its status; it is not printed twice.
  face.SetStatus("File a.knt exists, overwrite? No.");
  EXPECT_EQ(console.written, "File a.knt exists, overwrite? No.\n");
}

TEST(TerminalFace, QuestionsOnATerminalReadTheAnswer) {
  ScriptedConsole console(false, true);
  TerminalFace face(console);
  console.answers = {"y", "  YES", "n", "", "maybe"};
  EXPECT_TRUE(face.AskYesNo("Kinet", "Overwrite?", true));
  EXPECT_TRUE(face.AskYesNo("Kinet", "Overwrite?", true));
  EXPECT_FALSE(face.AskYesNo("Kinet", "Overwrite?", true));
  EXPECT_FALSE(face.AskYesNo("Kinet", "Overwrite?", true));  // empty: the default
  EXPECT_FALSE(face.AskYesNo("Kinet", "Overwrite?", true));
  EXPECT_FALSE(face.AskYesNo("Kinet", "Overwrite?", true));  // end of input: the default
  EXPECT_EQ(console.written.find("Overwrite? [y/N] "), 0u);
}

TEST(TerminalFace, CtrlCIsACancelRequestConfirmedOnlyWithoutATerminal) {
  ScriptedConsole interactive(false, true);
  TerminalFace face(interactive);
  EXPECT_EQ(face.Pump().Requests(), 0);
  interactive.interrupts = 2;
  FaceEvents events = face.Pump();
  EXPECT_EQ(events.close_requests, 2);
  EXPECT_FALSE(events.confirmed);
  EXPECT_FALSE(face.CanWaitForDone());

  ScriptedConsole batch(false, false);
  TerminalFace batch_face(batch);
  batch.interrupts = 1;
  EXPECT_TRUE(batch_face.Pump().confirmed);
}

}  // namespace
}  // namespace kinet::platform
