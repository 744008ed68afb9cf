#include "platform/InputLines.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <utility>

namespace {
constexpr std::pair<const char*, Key> kKeys[] = {
    {"enter", Key::Enter},   {"esc", Key::Escape},          {"tab", Key::Tab},   {"space", Key::Space},
    {"left", Key::Left},     {"right", Key::Right},         {"up", Key::Up},     {"down", Key::Down},
    {"f1", Key::F1},         {"f4", Key::F4},               {"f6", Key::F6},     {"f10", Key::F10},
    {"alt", Key::Alt},       {"pageup", Key::PageUp},       {"pagedown", Key::PageDown},
    {"delete", Key::Delete}, {"backspace", Key::Backspace}, {"home", Key::Home}, {"end", Key::End},
    {"other", Key::Other},  // any key the game has no name for (Shift alone, a digit)
};

std::optional<int> Coordinate(const std::string& word) {
  if (word.empty() || word.size() > 6) return std::nullopt;
  std::size_t i = word[0] == '-' ? 1 : 0;
  if (i == word.size()) return std::nullopt;
  int v = 0;
  for (; i < word.size(); ++i) {
    if (word[i] < '0' || word[i] > '9') return std::nullopt;
    v = v * 10 + (word[i] - '0');
  }
  return word[0] == '-' ? -v : v;
}
}  // namespace

bool ParseKeyName(const std::string& name, InputEvent& event) {
  std::string_view rest = name;
  static constexpr std::string_view kModifiers[] = {"shift+", "ctrl+", "alt+"};
  for (bool found = true; found;) {
    found = false;
    for (std::string_view m : kModifiers) {
      if (rest.size() > m.size() && rest.substr(0, m.size()) == m) {
        (m == "shift+" ? event.shift : m == "ctrl+" ? event.ctrl : event.alt) = true;
        rest.remove_prefix(m.size());
        found = true;
      }
    }
  }
  const auto* named = std::find_if(std::begin(kKeys), std::end(kKeys), [&](const auto& k) { return rest == k.first; });
  if (named != std::end(kKeys)) {
    event.key = named->second;
    return true;
  }
  if (rest.size() == 1 && rest[0] >= 'a' && rest[0] <= 'z') {
    event.key = Key::Letter;
    event.letter = rest[0];
    return true;
  }
  return false;
}

std::optional<std::string> InputLine(const InputEvent& event) {
  using K = InputEvent::Kind;
  if (event.target) return std::nullopt;
  const auto at = [&] { return std::to_string(event.point.x) + " " + std::to_string(event.point.y); };
  const char* button = event.button == MouseButton::Left ? "left " : "right ";
  switch (event.kind) {
    case K::MouseDown:
      return "mouse down " + (button + at());
    case K::MouseUp:
      return "mouse up " + (button + at());
    case K::MouseMove:
      return "mouse move " + at();
    case K::KeyDown:
    case K::KeyUp: {
      std::string name = event.shift ? "shift+" : "";
      if (event.ctrl) name += "ctrl+";
      if (event.alt) name += "alt+";
      if (event.key == Key::Letter) {
        if (event.letter < 'a' || event.letter > 'z') return std::nullopt;
        name += event.letter;
      } else {
        const auto* k =
            std::find_if(std::begin(kKeys), std::end(kKeys), [&](const auto& e) { return e.second == event.key; });
        if (k == std::end(kKeys)) return std::nullopt;
        name += k->first;
      }
      return (event.kind == K::KeyDown ? "keydown " : "keyup ") + name;
    }
    case K::Close:
      return "closerequest";
    default:
      return std::nullopt;
  }
}

std::optional<InputEvent> ParseInputLine(const std::vector<std::string>& w) {
  using K = InputEvent::Kind;
  InputEvent e;
  if (w.size() == 1 && w[0] == "closerequest") {
    e.kind = K::Close;
    return e;
  }
  if (w.size() == 2 && (w[0] == "keydown" || w[0] == "keyup")) {
    e.kind = w[0] == "keydown" ? K::KeyDown : K::KeyUp;
    if (!ParseKeyName(w[1], e)) return std::nullopt;
    return e;
  }
  if (w.empty() || w[0] != "mouse") return std::nullopt;
  const bool move = w.size() == 4 && w[1] == "move";
  if (!move && (w.size() != 5 || (w[1] != "down" && w[1] != "up") || (w[2] != "left" && w[2] != "right")))
    return std::nullopt;
  e.kind = move ? K::MouseMove : w[1] == "down" ? K::MouseDown : K::MouseUp;
  e.button = !move && w[2] == "right" ? MouseButton::Right : MouseButton::Left;
  const std::optional<int> x = Coordinate(w[move ? 2 : 3]), y = Coordinate(w[move ? 3 : 4]);
  if (!x || !y) return std::nullopt;
  e.point = {*x, *y};
  return e;
}
