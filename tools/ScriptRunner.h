#pragma once
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "framework/Platform.h"
#include "framework/Surface.h"
#include "framework/UiObserver.h"

class HeadlessPlatform;
class Transcript;

// Runs the whole program on the headless platform, driven by a script of commands (one a line),
// and prints what the player would see, one event a line. Texts in and out are UTF-8.
class ScriptRunner : public UiObserver {
 public:
  // With readsHead, the script may be a session record: its head is read before the game starts.
  // (Without, no line is read before the game asks for input: a script may be written as it plays.)
  ScriptRunner(std::istream& script, std::ostream& out, std::ostream& err, bool readsHead = false);
  // Returns the exit code: 0 at the end of the script or when the program ends by itself,
  // 1 for a command that cannot apply, 2 for a malformed line.
  int Run();

  // Writes every input the script gives also as a real window would deliver it (see Transcript).
  void SetTranscript(Transcript* transcript) { transcript_ = transcript; }

  // UiObserver
  void BoxOpened(std::string_view text, std::string_view caption, unsigned style) override;
  void DialogOpened(const TWindow& dialog) override;
  void DialogClosed(const TWindow& dialog) override;
  void StatusTextSet(std::string_view text) override;
  void TextDrawn(const TWindow& window, int x, int y, std::string_view text) override;
  bool Tracing() const override { return tracing_; }
  void TraceLine(std::string_view line) override;

 private:
  // The next command line, comments and blank lines skipped; nullopt at the end of the script.
  std::optional<std::string> NextLine();
  // A record's head (the version and the save it started from): the save is written here first.
  void StartFromRecordHead();
  std::optional<InputEvent> NextInput(HeadlessPlatform& platform);
  std::optional<InputEvent> Execute(const std::string& line, HeadlessPlatform& platform);
  // Prints the state, or only the named fields; false when a name is unknown.
  bool PrintState(const std::vector<std::string>& fields);
  // The window a click goes to: the topmost modal dialog, or the map.
  TWindow* ClickTarget();
  // Prints the colours of screen at points relative to origin (a client origin).
  void PrintPixels(const Surface& screen, TPoint origin, const std::vector<TPoint>& points);
  // Keeps the screen as it stays during a blocking sleep, for sleepshot and sleeppixels.
  void KeepSleepScreen();
  // Lists the top-level windows, bottom to top: kind, caption, enabled, client size, and for a
  // dialog or box its enabled buttons and whether it has a close box.
  void PrintWindows();
  [[noreturn]] void Fail(int code, const std::string& why);

  std::istream& script_;
  std::ostream& out_;
  std::ostream& err_;
  bool readsHead_;
  Transcript* transcript_ = nullptr;
  int lineNumber_ = 0;
  std::optional<std::string> putBack_;  // the first line after a record's head
  bool tracing_ = false;
  bool texts_ = true;    // print drawn texts (off for long waits with a ticking clock)
  struct SleepScreen {
    Surface screen;
    TPoint origin;  // client origin of the window a click went to then
  };
  std::optional<SleepScreen> lastSleep_;  // the screen during the last blocking sleep
  bool silent_ = false;  // after the script has ended: unwinding prints nothing
};
