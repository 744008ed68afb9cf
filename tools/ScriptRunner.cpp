#include "tools/ScriptRunner.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <istream>
#include <ostream>
#include <sstream>
#include <utility>
#include <vector>

#include "app/RecordHeader.h"
#include "app/TavoApp.h"
#include "app/Version.h"
#include "fishing/TripVariables.h"
#include "framework/Desktop.h"
#include "framework/Dialog.h"
#include "framework/Encoding.h"
#include "framework/Frame.h"
#include "framework/MessageBox.h"
#include "framework/Resources.h"
#include "platform/HeadlessPlatform.h"
#include "platform/InputLines.h"
#include "state/GameState.h"
#include "state/ProcessValues.h"
#include "state/Random.h"
#include "state/SaveFile.h"
#include "tools/Png.h"
#include "tools/Transcript.h"

namespace {
// Thrown to leave the program's loops: the script is over, or it failed.
struct ScriptEnded {};
struct ScriptFailed {
  int code;
  std::string why;
};

// A text in double quotes on one line: line breaks, quotes and backslashes are escaped.
std::string Quoted(std::string_view cp932) {
  std::string quoted = "\"";
  for (char c : Cp932ToUtf8(cp932)) {
    if (c == '\n')
      quoted += "\\n";
    else if (c == '"' || c == '\\')
      quoted += std::string("\\") + c;
    else
      quoted += c;
  }
  return quoted + "\"";
}

template <class T, std::size_t N>
std::string Join(const T (&values)[N]) {
  std::string s;
  for (std::size_t i = 0; i < N; ++i) {
    if (i) s += ',';
    s += std::to_string(static_cast<long long>(values[i]));
  }
  return s;
}

std::string Fixed1(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.1f", v);
  return buf;
}

std::optional<long long> ParseInt(const std::string& word) {
  if (word.empty()) return std::nullopt;
  std::size_t used = 0;
  try {
    long long v = std::stoll(word, &used, 10);
    if (used != word.size()) return std::nullopt;
    return v;
  } catch (...) {
    return std::nullopt;
  }
}

const char* ButtonSet(unsigned style) {
  switch (style & 0xF) {
    case MB_YESNO:
      return "yes,no";
    case MB_YESNOCANCEL:
      return "yes,no,cancel";
    default:
      return "ok";
  }
}
}  // namespace

ScriptRunner::ScriptRunner(std::istream& script, std::ostream& out, std::ostream& err, bool readsHead)
    : script_(script), out_(out), err_(err), readsHead_(readsHead) {}

void ScriptRunner::Fail(int code, const std::string& why) {
  silent_ = true;
  Desktop::Get().SetObserver(nullptr);
  throw ScriptFailed{code, why};
}

int ScriptRunner::Run() {
  HeadlessPlatform platform([this](HeadlessPlatform& p) { return NextInput(p); });
  platform.OnSleep([this] { KeepSleepScreen(); });
  Desktop& desktop = Desktop::Get();
  desktop.Install(platform, {kScreenWidth, kScreenHeight});
  desktop.SetObserver(this);
  int code = 0;
  try {
    if (readsHead_) StartFromRecordHead();
    if (transcript_) transcript_->Head(ReadStartSave(kSaveFileName));
    TTavoApp app;
    app.Run();
    silent_ = true;
    desktop.SetObserver(nullptr);
    out_ << "exit\n";
  } catch (const ScriptEnded&) {
    code = 0;
  } catch (const ScriptFailed& failure) {
    err_ << "error: line " << lineNumber_ << ": " << failure.why << "\n";
    code = failure.code;
  }
  desktop.SetObserver(nullptr);
  desktop.Uninstall();
  out_.flush();
  return code;
}

std::optional<std::string> ScriptRunner::NextLine() {
  if (putBack_) return std::exchange(putBack_, std::nullopt);
  std::string line;
  while (std::getline(script_, line)) {
    ++lineNumber_;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    return line.substr(first);
  }
  return std::nullopt;
}

std::optional<InputEvent> ScriptRunner::NextInput(HeadlessPlatform& platform) {
  if (std::optional<std::string> line = NextLine()) {
    std::optional<InputEvent> input = Execute(*line, platform);
    // The runner queues the button-up of a click and the key-up of a key: they are written with them.
    const bool queuesUp = line->rfind("click", 0) == 0 || line->rfind("key ", 0) == 0;
    if (input && transcript_ && !transcript_->Input(*input, queuesUp, platform.Now()))
      Fail(1, "this input cannot be written as a real window's");
    return input;
  }
  // The end of the script: leave without the close query, so nothing is saved.
  silent_ = true;
  Desktop::Get().SetObserver(nullptr);
  throw ScriptEnded{};
}

std::optional<InputEvent> ScriptRunner::Execute(const std::string& line, HeadlessPlatform& platform) {
  std::istringstream words(line);
  std::vector<std::string> w;
  for (std::string word; words >> word;) w.push_back(word);
  const std::string& cmd = w[0];
  Desktop& desktop = Desktop::Get();
  auto malformed = [&] { Fail(2, "malformed command: " + line); };
  auto intArg = [&](std::size_t i) {
    std::optional<long long> v = ParseInt(w[i]);
    if (!v) malformed();
    return *v;
  };
  using K = InputEvent::Kind;

  if (cmd == "click" || cmd == "rclick") {
    if (w.size() != 3) malformed();
    InputEvent down;
    down.kind = K::MouseDown;
    down.button = cmd == "click" ? MouseButton::Left : MouseButton::Right;
    down.point = {static_cast<int>(intArg(1)), static_cast<int>(intArg(2))};
    if (desktop.TopmostMessageBox()) Fail(1, "a message box is open");
    down.target = ClickTarget();
    if (down.button == MouseButton::Left) {
      InputEvent up = down;
      up.kind = K::MouseUp;
      platform.Queue(up);
    }
    return down;
  }
  if (cmd == "press") {
    if (w.size() != 2) malformed();
    int id = static_cast<int>(intArg(1));
    const auto& windows = desktop.TopLevels();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
      auto* dialog = dynamic_cast<TDialog*>(*it);
      if (!dialog || !desktop.IsEnabled(dialog)) continue;
      Control* c = dialog->FindControl(id);
      if (!c || !c->enabled ||
          (c->kind != ControlKind::PushButton && c->kind != ControlKind::DefPushButton))
        continue;
      InputEvent e;
      e.kind = K::Command;
      e.target = dialog;
      e.id = id;
      return e;
    }
    Fail(1, "no enabled window has a button " + w[1]);
  }
  if (cmd == "menu") {
    if (w.size() != 2) malformed();
    int id = static_cast<int>(intArg(1));
    if (desktop.TopmostModal()) Fail(1, "a modal window is open");
    auto* frame = dynamic_cast<TDecoratedFrame*>(desktop.MainWindow());
    if (!frame || !frame->IsCreated()) Fail(1, "the frame is not shown");
    bool known = false;
    for (const auto& popup : frame->Menu()->popups)
      for (const auto& item : popup.items) known = known || (item.command == id && id != 0);
    if (!known) Fail(1, "the menu has no command " + w[1]);
    InputEvent e;
    e.kind = K::Command;
    e.target = frame;
    e.id = id;
    return e;
  }
  if (cmd == "close") {
    TWindow* target = nullptr;
    if (w.size() == 1) {
      if (desktop.TopLevels().empty()) Fail(1, "no window is open");
      target = desktop.TopLevels().back();
    } else {
      std::string caption = Utf8ToCp932(line.substr(line.find_first_not_of(" \t", 5)));
      if (caption.size() >= 2 && caption.front() == '"' && caption.back() == '"')
        caption = caption.substr(1, caption.size() - 2);
      const auto& windows = desktop.TopLevels();
      for (auto it = windows.rbegin(); it != windows.rend() && !target; ++it)
        if (desktop.IsEnabled(*it) && (*it)->Title() == caption) target = *it;
      if (!target) Fail(1, "no enabled window has that caption");
    }
    if (auto* box = dynamic_cast<TDialog*>(target); box && box->IsMessageBox() && !box->HasCloseBox())
      Fail(1, "this message box has no close box");
    InputEvent e;
    e.kind = K::Close;
    e.target = target;
    return e;
  }
  if (cmd == "answer") {
    if (w.size() != 2) malformed();
    static const std::pair<const char*, int> kAnswers[] = {{"yes", IDYES}, {"no", IDNO}, {"cancel", IDCANCEL}, {"ok", IDOK}};
    int id = 0;
    for (const auto& [name, value] : kAnswers)
      if (w[1] == name) id = value;
    if (!id) malformed();
    auto* box = dynamic_cast<TDialog*>(desktop.TopmostMessageBox());
    if (!box) Fail(1, "no message box is open");
    if (!desktop.IsEnabled(box) || !box->FindControl(id)) Fail(1, "the message box has no button " + w[1]);
    InputEvent e;
    e.kind = K::AnswerBox;
    e.id = id;
    return e;
  }
  if (cmd == "key") {
    if (w.size() < 2) malformed();
    if (desktop.TopLevels().empty()) Fail(1, "no window has the focus");
    // Several keys go one after another, as typed ahead: each to whatever has the focus by then.
    // Modifiers go before a key's name: shift+tab, alt+f4, ctrl+shift+f6.
    std::vector<InputEvent> keys;
    for (std::size_t i = 1; i < w.size(); ++i) {
      InputEvent e;
      e.kind = K::KeyDown;
      if (!ParseKeyName(w[i], e)) malformed();
      InputEvent up = e;
      up.kind = K::KeyUp;
      keys.push_back(e);
      keys.push_back(up);
    }
    for (std::size_t i = 1; i < keys.size(); ++i) platform.Queue(keys[i]);
    return keys.front();
  }
  // Input as a real window delivers it (a record's lines): the pointer's buttons and moves at points
  // of the screen, hit-tested there (menus by press, drag and release, captions dragged, hover); a
  // key going down or up; the OS window's close request, whatever is open.
  if (cmd == "mouse" || cmd == "keydown" || cmd == "keyup" || cmd == "closerequest") {
    std::optional<InputEvent> e = ParseInputLine(w);
    if (!e) malformed();
    if (cmd != "closerequest" && desktop.TopLevels().empty()) Fail(1, "no window is open");
    return e;
  }
  if (cmd == "record" || cmd == "startsave" || cmd == "savebytes")
    Fail(2, "a record's head comes first, and a record plays from a file: tavo2-script RECORD");
  if (cmd == "wait") {
    if (w.size() != 2) malformed();
    long long ms = intArg(1);
    if (ms < 0) malformed();
    platform.BeginWait(static_cast<std::uint64_t>(ms));
    return std::nullopt;
  }
  if (cmd == "state") {
    std::vector<std::string> fields(w.begin() + 1, w.end());
    if (!PrintState(fields)) malformed();
    return std::nullopt;
  }
  if (cmd == "trace") {
    if (w.size() != 2 || (w[1] != "on" && w[1] != "off")) malformed();
    tracing_ = w[1] == "on";
    return std::nullopt;
  }
  if (cmd == "texts") {
    if (w.size() != 2 || (w[1] != "on" && w[1] != "off")) malformed();
    texts_ = w[1] == "on";
    return std::nullopt;
  }
  if (cmd == "shot") {
    if (w.size() != 2) malformed();
    desktop.PaintAll();
    if (!WritePng(desktop.Compose(), w[1])) Fail(1, "cannot write " + w[1]);
    return std::nullopt;
  }
  if (cmd == "pixels" || cmd == "sleeppixels") {
    if (w.size() < 3 || w.size() % 2 == 0) malformed();
    std::vector<TPoint> points;
    for (std::size_t i = 1; i + 1 < w.size(); i += 2)
      points.push_back({static_cast<int>(intArg(i)), static_cast<int>(intArg(i + 1))});
    if (cmd == "pixels") {
      desktop.PaintAll();
      PrintPixels(desktop.Compose(), ClickTarget()->ClientOrigin(), points);
    } else {
      if (!lastSleep_) Fail(1, "no blocking sleep has happened yet");
      PrintPixels(lastSleep_->screen, lastSleep_->origin, points);
    }
    return std::nullopt;
  }
  if (cmd == "windows") {
    if (w.size() == 2 && w[1] == "detail") {
      PrintWindows();
      return std::nullopt;
    }
    if (w.size() != 1) malformed();
    std::string line = "windows";
    for (const TWindow* window : desktop.TopLevels()) {
      line += ' ';
      line += Quoted(window->Title());
    }
    out_ << line << "\n";
    return std::nullopt;
  }
  // Where to point in a real window: the client origin of what a click goes to, or the middle of
  // button ID of the topmost enabled window that has it, as a screen point.
  if (cmd == "where") {
    if (w.size() != 2) malformed();
    if (w[1] == "client") {
      const TPoint o = ClickTarget()->ClientOrigin();
      out_ << "where client " << o.x << " " << o.y << "\n";
      return std::nullopt;
    }
    const int id = static_cast<int>(intArg(1));
    const auto& windows = desktop.TopLevels();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
      auto* dialog = dynamic_cast<TDialog*>(*it);
      if (!dialog || !desktop.IsEnabled(dialog)) continue;
      if (const Control* c = dialog->FindControl(id); c && c->enabled) {
        const TPoint o = dialog->ClientOrigin();
        out_ << "where " << id << " " << o.x + (c->rect.left + c->rect.right) / 2 << " "
             << o.y + (c->rect.top + c->rect.bottom) / 2 << "\n";
        return std::nullopt;
      }
    }
    Fail(1, "no enabled window has a button " + w[1]);
  }
  if (cmd == "sleepshot") {
    if (w.size() != 2) malformed();
    if (!lastSleep_) Fail(1, "no blocking sleep has happened yet");
    if (!WritePng(lastSleep_->screen, w[1])) Fail(1, "cannot write " + w[1]);
    return std::nullopt;
  }
  if (cmd == "bitmaps") {
    if (w.size() != 1) malformed();
    for (const BitmapResourceInfo& b : BitmapResourceTable())
      out_ << "bitmap " << b.id << " " << b.width << "x" << b.height << "\n";
    return std::nullopt;
  }
  malformed();
  return std::nullopt;
}

void ScriptRunner::StartFromRecordHead() {
  RecordHeader head;
  for (std::optional<std::string> line; (line = NextLine());) {
    std::istringstream words(*line);
    std::vector<std::string> w;
    for (std::string word; words >> word;) w.push_back(word);
    const RecordHeader::Line taken = head.Take(w);
    if (taken == RecordHeader::Line::Malformed) Fail(2, "malformed command: " + *line);
    if (taken == RecordHeader::Line::NotHeader) {
      putBack_ = line;
      break;
    }
  }
  if (head.Version() && *head.Version() != TAVO2_VERSION)
    err_ << "warning: the record was made by version " << *head.Version() << ", this is " TAVO2_VERSION "\n";
  if (!head.Save()) return;
  if (!head.Complete()) Fail(2, "the record's save file is cut short");
  const StartSave& save = *head.Save();
  if (save.kind == StartSave::Kind::Unreadable) Fail(1, "the session started from a save file that could not be read");
  // The session's save is written here, but never over another one: replay in a folder of its own.
  const StartSave here = ReadStartSave(kSaveFileName);
  if (here.kind == save.kind && here.bytes == save.bytes) return;
  if (here.kind != StartSave::Kind::None) Fail(1, "tavo2.dat is here already: play a record in an empty folder");
  if (save.kind == StartSave::Kind::None) return;
  std::FILE* f = std::fopen(kSaveFileName, "wb");
  const bool written = f != nullptr && std::fwrite(save.bytes.data(), 1, save.bytes.size(), f) == save.bytes.size();
  if (f == nullptr || std::fclose(f) != 0 || !written) Fail(1, "cannot write tavo2.dat");
}

TWindow* ScriptRunner::ClickTarget() {
  Desktop& desktop = Desktop::Get();
  if (TWindow* modal = desktop.TopmostModal()) return modal;
  auto* frame = dynamic_cast<TDecoratedFrame*>(desktop.MainWindow());
  if (!frame || !frame->IsCreated()) Fail(1, "no window to click");
  return frame->GetClientWindow();
}

void ScriptRunner::PrintPixels(const Surface& screen, TPoint origin, const std::vector<TPoint>& points) {
  std::string line = "pixels";
  for (TPoint p : points) {
    const TPoint at{origin.x + p.x, origin.y + p.y};
    char colour[16] = "outside";
    if (screen.Bounds().Contains(at)) std::snprintf(colour, sizeof colour, "#%06X", screen.Pixel(at.x, at.y));
    // Appended piece by piece: GCC 12 warns about "text" + std::string (its bug 105329).
    line += ' ';
    line += std::to_string(p.x);
    line += ',';
    line += std::to_string(p.y);
    line += '=';
    line += colour;
  }
  out_ << line << "\n";
}

void ScriptRunner::KeepSleepScreen() {
  Desktop& desktop = Desktop::Get();
  TPoint origin;
  if (TWindow* modal = desktop.TopmostModal()) {
    origin = modal->ClientOrigin();
  } else if (auto* frame = dynamic_cast<TDecoratedFrame*>(desktop.MainWindow()); frame && frame->GetClientWindow()) {
    origin = frame->GetClientWindow()->ClientOrigin();
  }
  lastSleep_ = SleepScreen{desktop.Compose(), origin};
}

void ScriptRunner::PrintWindows() {
  Desktop& desktop = Desktop::Get();
  out_ << "windows\n";
  for (TWindow* window : desktop.TopLevels()) {
    const auto* dialog = dynamic_cast<const TDialog*>(window);
    const char* kind = window->IsMessageBox() ? "box"
                       : window->IsPopupMenu() ? "popup"
                       : window->IsModal()     ? "modal"
                       : dialog                ? "modeless"
                                               : "frame";
    const TSize size = window->ClientSize();
    out_ << "window " << kind << " " << Quoted(window->Title()) << (desktop.IsEnabled(window) ? " enabled" : " disabled")
         << " size " << size.cx << " " << size.cy;
    if (dialog) {
      std::string buttons;
      for (const Control& c : dialog->Controls()) {
        if (!c.enabled || (c.kind != ControlKind::PushButton && c.kind != ControlKind::DefPushButton)) continue;
        if (!buttons.empty()) buttons += ',';
        buttons += std::to_string(c.id);
      }
      out_ << " buttons " << (buttons.empty() ? "-" : buttons) << (dialog->HasCloseBox() ? " closebox" : "");
    }
    if (window == desktop.FocusWindow()) out_ << " focus";
    out_ << "\n";
  }
  out_ << "end\n";
}

bool ScriptRunner::PrintState(const std::vector<std::string>& fields) {
  const GameState& g = gameState;
  std::ostringstream s;
  s << "equipped=" << Join(g.equipped) << "\n";
  s << "reserved7=" << static_cast<int>(g.reserved7) << "\n";
  s << "nushiPresent=" << Join(g.nushiPresent) << "\n";
  s << "nushiHeld=" << Join(g.nushiHeld) << "\n";
  s << "bestLevel=" << g.bestLevel << "\n";
  s << "money=" << g.money << "\n";
  s << "dayCount=" << g.dayCount << "\n";
  s << "tournamentLevel=" << g.tournamentLevel << "\n";
  std::string owned;
  for (int i = 0; i < 70; ++i) {
    if (g.items[i].owned != 1) continue;
    if (!owned.empty()) owned += ',';
    owned += std::to_string(i);
  }
  s << "owned=" << owned << "\n";
  s << "tripLevel=" << tripLevel << "\n";
  s << "selectedWater=" << selectedWater << "\n";
  s << "selectedMaster=" << selectedMaster << "\n";
  s << "creelCount=" << creelCount << "\n";
  for (int i = 0; i < CountedCreelEntries(); ++i)
    s << "creel[" << i << "]=" << creel[i].species << "," << Fixed1(creel[i].sizeCm) << ","
      << Fixed1(creel[i].weightKg) << "\n";
  s << "nushiCaughtToday=" << Join(nushiCaughtToday) << "\n";
  s << "todayCarpWeight=" << Fixed1(todayCarpWeight) << "\n";
  for (const TripVariable& v : kTripVariables) s << v.name << "=" << *v.value << "\n";
  char rng[32];
  std::snprintf(rng, sizeof rng, "%016" PRIX64, RandomState());
  s << "rng=" << rng << "\n";
  s << "time=" << Desktop::Get().Now() << "\n";

  // With field names, only their lines (creel names every creel[i] line), in the usual order.
  std::vector<std::string> lines;
  std::vector<bool> named(fields.size(), false);
  std::istringstream all(s.str());
  for (std::string line; std::getline(all, line);) {
    const std::string key = line.substr(0, line.find_first_of("=["));
    bool wanted = fields.empty();
    for (std::size_t i = 0; i < fields.size(); ++i)
      if (fields[i] == key) wanted = named[i] = true;
    if (wanted) lines.push_back(line);
  }
  for (std::size_t i = 0; i < fields.size(); ++i)
    if (!named[i] && fields[i] != "creel") return false;
  out_ << "state\n";
  for (const std::string& line : lines) out_ << line << "\n";
  out_ << "end\n";
  return true;
}

void ScriptRunner::BoxOpened(std::string_view text, std::string_view caption, unsigned style) {
  if (silent_) return;
  out_ << "box " << Quoted(text) << " caption " << Quoted(caption) << " buttons " << ButtonSet(style)
       << ((style & MB_ICONQUESTION) ? " icon question" : "") << "\n";
}

void ScriptRunner::DialogOpened(const TWindow& dialog) {
  if (!silent_) out_ << "open " << Quoted(dialog.Title()) << "\n";
}

void ScriptRunner::DialogClosed(const TWindow& dialog) {
  if (!silent_) out_ << "closed " << Quoted(dialog.Title()) << "\n";
}

void ScriptRunner::StatusTextSet(std::string_view text) {
  if (!silent_) out_ << "status " << Quoted(text) << "\n";
}

void ScriptRunner::TextDrawn(const TWindow&, int x, int y, std::string_view text) {
  if (!silent_ && texts_) out_ << "text " << x << " " << y << " " << Quoted(text) << "\n";
}

void ScriptRunner::TraceLine(std::string_view line) {
  if (!silent_ && tracing_) out_ << line << "\n";
}
