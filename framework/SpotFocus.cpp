#include "framework/SpotFocus.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "framework/Desktop.h"
#include "framework/Window.h"

namespace {
// How far off the arrow's line a stop may lie counts double against it.
constexpr int kSidewaysWeight = 2;

// The arrow's direction as unit steps.
struct Direction {
  Key key;
  int dx, dy;
};
constexpr Direction kDirections[] = {{Key::Left, -1, 0}, {Key::Right, 1, 0}, {Key::Up, 0, -1}, {Key::Down, 0, 1}};

const Direction* DirectionOf(Key key) {
  for (const Direction& d : kDirections)
    if (d.key == key) return &d;
  return nullptr;
}
}  // namespace

TPoint Middle(const TRect& r) { return {(r.left + r.right - 1) / 2, (r.top + r.bottom - 1) / 2}; }

std::vector<int> ReadingOrder(std::span<const TRect> rects) {
  std::vector<int> byTop(rects.size());
  for (std::size_t i = 0; i < rects.size(); ++i) byTop[i] = static_cast<int>(i);
  std::stable_sort(byTop.begin(), byTop.end(), [&](int a, int b) { return rects[a].top < rects[b].top; });
  std::vector<int> order;
  for (std::size_t start = 0; start < byTop.size();) {
    const int rowMiddle = Middle(rects[byTop[start]]).y;
    std::size_t end = start + 1;
    while (end < byTop.size() && rects[byTop[end]].top <= rowMiddle) ++end;
    std::vector<int> row(byTop.begin() + static_cast<std::ptrdiff_t>(start), byTop.begin() + static_cast<std::ptrdiff_t>(end));
    std::stable_sort(row.begin(), row.end(), [&](int a, int b) { return rects[a].left < rects[b].left; });
    order.insert(order.end(), row.begin(), row.end());
    start = end;
  }
  return order;
}

int NearestInDirection(std::span<const TRect> rects, int from, Key arrow) {
  const Direction* d = DirectionOf(arrow);
  if (!d || from < 0 || from >= static_cast<int>(rects.size())) return -1;
  const TRect& r = rects[static_cast<std::size_t>(from)];
  const TPoint c = Middle(r);
  // The far edge of the stop itself that way: a stop counts as that way once its middle is past it.
  const int edge = d->dx < 0 ? -r.left : d->dx > 0 ? r.right - 1 : d->dy < 0 ? -r.top : r.bottom - 1;
  int best = -1;
  int bestScore = INT_MAX;
  for (int i : ReadingOrder(rects)) {
    const TPoint p = Middle(rects[static_cast<std::size_t>(i)]);
    const int ahead = (p.x - c.x) * d->dx + (p.y - c.y) * d->dy;
    if (i == from || p.x * d->dx + p.y * d->dy <= edge) continue;
    const int sideways = d->dx != 0 ? std::abs(p.y - c.y) : std::abs(p.x - c.x);
    const int score = ahead + kSidewaysWeight * sideways;
    if (score < bestScore) {
      bestScore = score;
      best = i;
    }
  }
  return best;
}

int SpotFocus::Focused(std::span<const TRect> stops) const {
  if (!focused_) return -1;
  for (std::size_t i = 0; i < stops.size(); ++i)
    if (stops[i] == *focused_) return static_cast<int>(i);
  return -1;
}

void SpotFocus::FocusOn(const TRect& stop) {
  if (focused_ == stop) return;
  focused_ = stop;
  if (shown_) Desktop::Get().MarkDirty();
}

void SpotFocus::Clicked(std::span<const TRect> stops, TPoint p) {
  for (const TRect& stop : stops)
    if (stop.Contains(p)) FocusOn(stop);
}

SpotFocus::Answer SpotFocus::Key(std::span<const TRect> stops, const Message& m) {
  if (m.kind != Msg::KeyDown || m.alt || m.ctrl) return {};
  const int now = Focused(stops);
  int next = now;
  switch (m.key) {
    case Key::Tab: {
      const std::vector<int> order = ReadingOrder(stops);
      if (order.empty()) break;
      const int n = static_cast<int>(order.size());
      const auto at = std::find(order.begin(), order.end(), now);
      if (at == order.end()) {
        next = m.shift ? order.back() : order.front();
      } else {
        const int pos = static_cast<int>(at - order.begin()) + (m.shift ? -1 : 1);
        next = order[static_cast<std::size_t>((pos + n) % n)];
      }
      break;
    }
    case Key::Left:
    case Key::Right:
    case Key::Up:
    case Key::Down:
      if (now < 0) {
        const std::vector<int> order = ReadingOrder(stops);
        if (!order.empty()) next = order.front();
      } else if (const int there = NearestInDirection(stops, now, m.key); there >= 0) {
        next = there;
      }
      break;
    case Key::Enter:
    case Key::Space:
    case Key::Delete:
    case Key::Backspace: {
      // A press the player cannot see the target of only shows the mark first.
      const bool wasShown = shown_;
      shown_ = true;
      Desktop::Get().MarkDirty();
      if (!wasShown || now < 0) return {Request::Moved, now};
      const bool press = m.key == Key::Enter || m.key == Key::Space;
      return {press ? Request::Press : Request::Remove, now};
    }
    default:
      return {};
  }
  if (next >= 0) focused_ = stops[static_cast<std::size_t>(next)];
  shown_ = true;
  Desktop::Get().MarkDirty();
  return {Request::Moved, next};
}

void SpotFocus::DrawMark(Surface& screen, const TRect& clip, TPoint origin) const {
  if (!shown_ || !focused_) return;
  DottedInvertedRect(screen, clip, focused_->Offset(origin.x, origin.y));
}

void DottedInvertedRect(Surface& s, const TRect& clip, const TRect& r) {
  if (r.IsEmpty()) return;
  auto invert = [&](int x, int y) {
    if (clip.Contains({x, y}) && s.Bounds().Contains({x, y})) s.SetPixel(x, y, s.Pixel(x, y) ^ 0xFFFFFF);
  };
  // Every other pixel, counted round the edge so the corners keep the rhythm and none is inverted twice.
  int n = 0;
  for (int x = r.left; x < r.right; ++x)
    if (n++ % 2 == 0) invert(x, r.top);
  for (int y = r.top + 1; y < r.bottom; ++y)
    if (n++ % 2 == 0) invert(r.right - 1, y);
  for (int x = r.right - 2; x >= r.left && r.bottom - 1 > r.top; --x)
    if (n++ % 2 == 0) invert(x, r.bottom - 1);
  for (int y = r.bottom - 2; y > r.top && r.right - 1 > r.left; --y)
    if (n++ % 2 == 0) invert(r.left, y);
}

void ClickAt(TWindow& window, TPoint p, Msg button) {
  window.MouseInput(button, p);
  if (button == Msg::LButtonDown) window.MouseInput(Msg::LButtonUp, p);
}
