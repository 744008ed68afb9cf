#include "framework/Desktop.h"

#include <algorithm>

#include "framework/Dialog.h"
#include "framework/UiObserver.h"
#include "framework/Window.h"

namespace {
constexpr TColor kDesktopColour = Rgb(0, 128, 128);
constexpr int kMaxPaintPasses = 64;
// A caption flash: six half-beats of 70 ms, starting with the caption shown inverted.
constexpr int kFlashSteps = 6;
constexpr std::uint64_t kFlashStepMs = 70;

struct LoopDepth {
  explicit LoopDepth(int& depth) : depth_(depth) { ++depth_; }
  ~LoopDepth() { --depth_; }
  int& depth_;
};
int loopDepth = 0;

// The top-level window that owns window: the one its parent belongs to.
const TWindow* OwnerOf(const TWindow* window) {
  const TWindow* p = window->Parent();
  while (p && p->IsChild()) p = p->Parent();
  return p;
}

Msg MouseMessage(const InputEvent& e) {
  if (e.kind == InputEvent::Kind::MouseUp) return Msg::LButtonUp;
  return e.button == MouseButton::Left ? Msg::LButtonDown : Msg::RButtonDown;
}
}  // namespace

Desktop& Desktop::Get() {
  static Desktop desktop;
  return desktop;
}

void Desktop::Install(Platform& platform, TSize screenSize) {
  platform_ = &platform;
  screenSize_ = screenSize;
  quit_ = false;
  dirty_ = true;
}

void Desktop::Uninstall() {
  // Destroy what is still shown, top first, then delete what the framework owns. Nobody hears
  // about it: the observer may be gone already.
  observer_ = nullptr;
  while (!topLevels_.empty()) {
    TWindow* w = topLevels_.back();
    w->Destroy();
    if (!topLevels_.empty() && topLevels_.back() == w) topLevels_.pop_back();
  }
  loopDepth = 0;
  FlushDeletes();
  timers_ = TimerQueue();
  mainWindow_ = nullptr;
  capture_ = nullptr;
  flashing_ = nullptr;
  hover_ = nullptr;
  focus_ = nullptr;
  shownOrder_.clear();
  dragging_ = false;
  observer_ = nullptr;
  platform_ = nullptr;
}

void Desktop::Add(TWindow* window) {
  if (!Contains(window)) {
    topLevels_.push_back(window);
    shownOrder_.push_back(window);
  }
  if (window->TakesFocusWhenShown() || !focus_) focus_ = window;
  dirty_ = true;
}

void Desktop::Remove(TWindow* window) {
  FocusLeaves(window);
  std::erase(topLevels_, window);
  std::erase(shownOrder_, window);
  if (capture_ == window) capture_ = nullptr;
  if (flashing_ == window) flashing_ = nullptr;
  if (hover_ == window) hover_ = nullptr;
  dirty_ = true;
}

void Desktop::SetFocusWindow(TWindow* window) {
  if (focus_ == window) return;
  focus_ = window;
  dirty_ = true;
}

// The focus goes back to the window's owner, as on the classic desktop, else to the top.
void Desktop::FocusLeaves(TWindow* window) {
  if (focus_ != window) return;
  const TWindow* owner = OwnerOf(window);
  focus_ = nullptr;
  for (TWindow* w : topLevels_)
    if (w == owner && w != window) focus_ = w;
  if (!focus_)
    for (TWindow* w : topLevels_)
      if (w != window) focus_ = w;
}

TWindow* Desktop::FocusWindow() const {
  if (focus_ && IsEnabled(focus_)) return focus_;
  return TopmostEnabled();
}

void Desktop::CycleFocus(int step) {
  std::vector<TWindow*> reachable;
  for (TWindow* w : shownOrder_)
    if (IsEnabled(w)) reachable.push_back(w);
  if (reachable.size() < 2) return;
  auto it = std::find(reachable.begin(), reachable.end(), FocusWindow());
  const int n = static_cast<int>(reachable.size());
  const int at = it == reachable.end() ? 0 : static_cast<int>(it - reachable.begin());
  TWindow* next = reachable[static_cast<std::size_t>(((at + step) % n + n) % n)];
  BringToTop(next);
  SetFocusWindow(next);
}

void Desktop::BringToTop(TWindow* window) {
  if (!Contains(window)) return;
  // Windows owned by it come along and stay above it, in their order (a help viewer stays above
  // the frame it was opened from).
  std::vector<TWindow*> raised{window};
  for (TWindow* w : topLevels_)
    if (w != window && std::find(raised.begin(), raised.end(), OwnerOf(w)) != raised.end()) raised.push_back(w);
  std::vector<TWindow*> order;
  for (TWindow* w : topLevels_)
    if (std::find(raised.begin(), raised.end(), w) == raised.end()) order.push_back(w);
  order.insert(order.end(), raised.begin(), raised.end());
  if (order == topLevels_) return;
  topLevels_ = std::move(order);
  dirty_ = true;
}

bool Desktop::Contains(const TWindow* window) const {
  return std::find(topLevels_.begin(), topLevels_.end(), window) != topLevels_.end();
}

bool Desktop::IsEnabled(const TWindow* topLevel) const {
  auto it = std::find(topLevels_.begin(), topLevels_.end(), topLevel);
  if (it == topLevels_.end()) return false;
  return std::none_of(it + 1, topLevels_.end(), [](const TWindow* w) { return w->IsModal(); });
}

TWindow* Desktop::TopmostModal() const {
  for (auto it = topLevels_.rbegin(); it != topLevels_.rend(); ++it)
    if ((*it)->IsModal()) return *it;
  return nullptr;
}

TWindow* Desktop::TopmostEnabled() const { return topLevels_.empty() ? nullptr : topLevels_.back(); }

TWindow* Desktop::TopmostMessageBox() const {
  for (auto it = topLevels_.rbegin(); it != topLevels_.rend(); ++it)
    if ((*it)->IsMessageBox()) return *it;
  return nullptr;
}

void Desktop::RunLoop(const std::function<bool()>& done) {
  LoopDepth depth(loopDepth);
  while (!quit_ && !done()) {
    PaintAll();
    if (loopDepth == 1) FlushDeletes();
    if (dirty_) {
      if (platform_->WantsFrames()) platform_->Present(Compose());
      dirty_ = false;
    }
    if (quit_ || done()) break;
    Dispatch(platform_->WaitEvent(NextDue()));
  }
}

void Desktop::PaintAll() {
  for (int pass = 0; pass < kMaxPaintPasses; ++pass) {
    std::vector<TWindow*> windows = topLevels_;
    bool painted = false;
    for (TWindow* w : windows) {
      if (!Contains(w)) continue;
      bool waiting = w->NeedsPaint();
      for (const TWindow* c : w->Children()) waiting = waiting || c->NeedsPaint();
      if (!waiting) continue;
      painted = true;
      w->PaintPending();
    }
    if (!painted) return;
  }
}

void Desktop::Dispatch(const InputEvent& event) {
  using K = InputEvent::Kind;
  switch (event.kind) {
    case K::TimerDue:
      if (flashing_ && Now() >= flashDue_)
        StepFlash();
      else
        timers_.FireNext(Now());
      break;
    case K::Redraw:
      dirty_ = true;
      break;
    case K::MouseDown:
    case K::MouseUp:
    case K::MouseMove:
      DispatchMouse(event);
      break;
    case K::KeyDown:
    case K::KeyUp:
      DispatchKey(event);
      break;
    case K::Command:
      if (event.target) event.target->SendCommand(event.id);
      break;
    case K::Close: {
      TWindow* w = event.target ? event.target : mainWindow_;
      if (!w) break;
      // Under a modal window the request is a click beside it: its caption flashes, and the
      // closing questions never run over a shop or a trip.
      if (Contains(w) && !IsEnabled(w))
        FlashCaption(TopmostModal());
      else
        SystemCloseWindow(w);
      break;
    }
    case K::AnswerBox:
      if (auto* box = dynamic_cast<TDialog*>(TopmostMessageBox())) box->PressButton(event.id);
      break;
  }
}

void Desktop::DispatchMouse(const InputEvent& event) {
  using K = InputEvent::Kind;
  if (event.target) {
    if (event.kind != K::MouseMove) event.target->MouseInput(MouseMessage(event), event.point);
    return;
  }
  const TPoint p = event.point;
  if (capture_) {
    TWindow* w = capture_;
    if (dragging_) {
      if (auto* d = dynamic_cast<TDialog*>(w)) {
        const TRect outer = d->ScreenOuterRect();
        d->MoveTo(KeepCaptionGrip({p.x - dragOffset_.x, p.y - dragOffset_.y}, {outer.Width(), outer.Height()},
                                  screenSize_));
      }
      if (event.kind == K::MouseUp) {
        dragging_ = false;
        capture_ = nullptr;
      }
      return;
    }
    TPoint o = w->ClientOrigin();
    // A button held down follows the pointer until the button goes up.
    w->MouseInput(event.kind == K::MouseMove ? Msg::MouseMove : MouseMessage(event), {p.x - o.x, p.y - o.y});
    return;
  }
  // A popup menu takes every click and move while it is open, also those outside it.
  if (TWindow* modal = TopmostModal(); modal && modal->IsPopupMenu()) {
    TPoint o = modal->ClientOrigin();
    modal->MouseInput(event.kind == K::MouseMove ? Msg::MouseMove : MouseMessage(event), {p.x - o.x, p.y - o.y});
    return;
  }
  TWindow* top = nullptr;
  for (auto it = topLevels_.rbegin(); it != topLevels_.rend(); ++it)
    if ((*it)->ScreenOuterRect().Contains(p)) {
      top = *it;
      break;
    }
  if (event.kind == K::MouseMove) {
    const bool inClient = top && IsEnabled(top) && top->ScreenClientRect().Contains(p);
    Hover(inClient ? top->ChildAt(p) : nullptr, p);
    return;
  }
  if (!top || !IsEnabled(top)) {
    // A click beside a modal window: it stays where it is and says so.
    if (event.kind == K::MouseDown) FlashCaption(TopmostModal());
    return;
  }
  if (event.kind == K::MouseDown && !top->IsModal()) BringToTop(top);
  if (event.kind == K::MouseDown) SetFocusWindow(top);
  if (auto* d = dynamic_cast<TDialog*>(top); d && event.kind == K::MouseDown && event.button == MouseButton::Left) {
    if (d->InCloseBox(p)) {
      SystemCloseWindow(d);
      return;
    }
    if (d->InCaption(p)) {
      dragging_ = true;
      capture_ = d;
      TRect outer = d->ScreenOuterRect();
      dragOffset_ = {p.x - outer.left, p.y - outer.top};
      return;
    }
  }
  if (!top->ScreenClientRect().Contains(p)) return;
  TWindow* target = top->ChildAt(p);
  if (target != top && event.kind == K::MouseDown) top->ChildMouseDown();
  TPoint o = target->ClientOrigin();
  target->MouseInput(MouseMessage(event), {p.x - o.x, p.y - o.y});
}

void Desktop::Hover(TWindow* window, TPoint p) {
  // The window left behind hears of it once, with a point outside every window.
  if (hover_ && hover_ != window) hover_->MouseInput(Msg::MouseMove, {-1, -1});
  hover_ = window;
  if (!window) return;
  TPoint o = window->ClientOrigin();
  window->MouseInput(Msg::MouseMove, {p.x - o.x, p.y - o.y});
}

void Desktop::FlashCaption(TWindow* window) {
  if (!window) return;
  flashing_ = window;
  flashStep_ = 0;
  flashDue_ = Now() + kFlashStepMs;
  dirty_ = true;
  if (observer_) observer_->CaptionFlashed(*window);
}

void Desktop::StepFlash() {
  if (++flashStep_ >= kFlashSteps) flashing_ = nullptr;
  flashDue_ = Now() + kFlashStepMs;
  dirty_ = true;
}

std::optional<std::uint64_t> Desktop::NextDue() const {
  std::optional<std::uint64_t> due = timers_.NextDue();
  if (flashing_ && (!due || flashDue_ < *due)) due = flashDue_;
  return due;
}

void Desktop::DispatchKey(const InputEvent& event) {
  TWindow* focus = FocusWindow();
  if (!focus) return;
  if (event.kind == InputEvent::Kind::KeyDown && event.alt && event.key == Key::F4) {
    SystemCloseWindow(focus);
    return;
  }
  if (event.key == Key::F6 && !event.alt && !event.ctrl) {
    if (event.kind == InputEvent::Kind::KeyDown) CycleFocus(event.shift ? -1 : 1);
    return;
  }
  Message m;
  m.kind = event.kind == InputEvent::Kind::KeyDown ? Msg::KeyDown : Msg::KeyUp;
  m.key = event.key;
  m.letter = event.letter;
  m.alt = event.alt;
  m.shift = event.shift;
  m.ctrl = event.ctrl;
  focus->KeyInput(m);
}

void Desktop::Sleep(unsigned ms) {
  PaintAll();
  if (platform_->WantsFrames()) platform_->Present(Compose());
  dirty_ = false;
  platform_->Sleep(ms);
  timers_.AfterSleep(Now());
}

void Desktop::RepaintBelow(const TRect& screenRect, const TWindow* above) {
  auto end = std::find(topLevels_.begin(), topLevels_.end(), above);
  std::function<void(TWindow*)> invalidate = [&](TWindow* w) {
    TRect client = w->ScreenClientRect();
    TRect hit = client.Intersect(screenRect);
    if (!hit.IsEmpty()) w->InvalidateRect(hit.Offset(-client.left, -client.top), true);
    for (TWindow* c : w->Children()) invalidate(c);
  };
  for (auto it = topLevels_.begin(); it != end; ++it) invalidate(*it);
  dirty_ = true;
}

void Desktop::DeleteLater(TWindow* window) {
  if (std::find(pendingDeletes_.begin(), pendingDeletes_.end(), window) == pendingDeletes_.end())
    pendingDeletes_.push_back(window);
}

void Desktop::ForgetWindow(TWindow* window) {
  FocusLeaves(window);
  std::erase(topLevels_, window);
  std::erase(pendingDeletes_, window);
  std::erase(shownOrder_, window);
  if (capture_ == window) capture_ = nullptr;
  if (flashing_ == window) flashing_ = nullptr;
  if (hover_ == window) hover_ = nullptr;
  if (mainWindow_ == window) mainWindow_ = nullptr;
}

void Desktop::FlushDeletes() {
  std::vector<TWindow*> doomed;
  doomed.swap(pendingDeletes_);
  for (TWindow* w : doomed) delete w;
}

Surface Desktop::Compose() const {
  Surface screen(screenSize_.cx, screenSize_.cy, kDesktopColour);
  for (const TWindow* w : topLevels_) w->ComposeInto(screen);
  return screen;
}

void SystemCloseWindow(TWindow* window) {
  if (auto* d = dynamic_cast<TDialog*>(window)) {
    d->CmCancel();
    return;
  }
  window->CloseWindow();
}
