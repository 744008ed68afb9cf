#include "framework/Window.h"

#include <algorithm>

#include "framework/DC.h"
#include "framework/Desktop.h"

TWindow::TWindow(TWindow* parent, std::string_view title) : parent_(parent), title_(title) {}

TWindow::~TWindow() {
  Desktop& desktop = Desktop::Get();
  if (created_ && desktop.Installed()) TWindow::Destroy();
  if (desktop.Installed()) {
    desktop.Timers().KillAll(this);
    desktop.ForgetWindow(this);
  }
  if (isChild_ && parent_) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  for (TWindow* child : children_) {
    child->isChild_ = false;
    child->parent_ = nullptr;
  }
}

void TWindow::SetClientSize(TSize size) {
  if (size == ClientSize()) return;
  surface_ = Surface(size.cx, size.cy, Background());
  Invalidate(true);
}

void TWindow::MakeChildOf(TWindow* parent) {
  parent_ = parent;
  isChild_ = true;
  parent->children_.push_back(this);
}

TPoint TWindow::ClientOrigin() const {
  if (isChild_ && parent_) {
    TPoint p = parent_->ClientOrigin();
    return {p.x + childPos_.x, p.y + childPos_.y};
  }
  return childPos_;
}

TRect TWindow::ScreenClientRect() const {
  TPoint o = ClientOrigin();
  return TRect::FromSize(o.x, o.y, surface_.Width(), surface_.Height());
}

void TWindow::Create() {
  if (created_) return;
  created_ = true;
  if (!isChild_) Desktop::Get().Add(this);
  Invalidate(true);
  for (TWindow* child : children_) child->Create();
}

void TWindow::Destroy() {
  if (!created_) return;
  created_ = false;
  Desktop& desktop = Desktop::Get();
  desktop.Timers().KillAll(this);
  // Windows owned by this one go first, as on the classic desktop.
  std::vector<TWindow*> owned;
  for (TWindow* w : desktop.TopLevels())
    if (w != this && w->parent_ == this) owned.push_back(w);
  for (TWindow* w : owned) w->Destroy();
  for (TWindow* child : children_) child->Destroy();
  if (!isChild_) {
    TRect covered = ScreenOuterRect();
    desktop.RepaintBelow(covered, this);
    desktop.Remove(this);
  }
  OnDestroyed();
  if (desktop.MainWindow() == this) desktop.Quit();
  if (ownedByFramework_) {
    // Deleted only once no handler can be running on it; its pixels can go now.
    surface_ = Surface();
    desktop.DeleteLater(this);
  }
}

void TWindow::CloseWindow() {
  if (isChild_ && parent_) {
    parent_->CloseWindow();
    return;
  }
  if (CanClose()) Destroy();
}

void TWindow::Invalidate(bool erase) { InvalidateRect(surface_.Bounds(), erase); }

void TWindow::InvalidateRect(const TRect& clientRect, bool erase) {
  TRect r = clientRect.Intersect(surface_.Bounds());
  if (r.IsEmpty()) return;
  invalid_ = invalid_.Union(r);
  eraseNeeded_ = eraseNeeded_ || erase;
}

void TWindow::UpdateWindow() {
  if (!created_ || invalid_.IsEmpty()) return;
  // Validate before painting: a paint that opens a message box must not start itself again.
  TRect rect = invalid_;
  bool erase = eraseNeeded_;
  invalid_ = {};
  eraseNeeded_ = false;
  TPaintDC dc(*this, rect);
  if (erase) dc.FillRect(rect, Background());
  Paint(dc, erase, rect);
  Desktop::Get().MarkDirty();
}

void TWindow::Paint(TDC&, bool, const TRect&) {}

void TWindow::PaintPending() {
  UpdateWindow();
  // A child may be destroyed by a paint; copy the list first.
  std::vector<TWindow*> children = children_;
  for (TWindow* child : children)
    if (std::find(children_.begin(), children_.end(), child) != children_.end()) child->PaintPending();
}

void TWindow::SetTimer(int id, unsigned periodMs) {
  Desktop& desktop = Desktop::Get();
  desktop.Timers().Set(this, id, periodMs, desktop.Now());
}

void TWindow::KillTimer(int id) { Desktop::Get().Timers().Kill(this, id); }

int TWindow::MessageBox(std::string_view text, std::string_view caption, unsigned style) {
  return ::MessageBox(this, text, caption, style);
}

bool TWindow::Dispatch(const Message&) { return false; }

void TWindow::SendCommand(int id) {
  Message m;
  m.kind = Msg::Command;
  m.id = id;
  Dispatch(m);
}

void TWindow::ComposeInto(Surface& screen) const {
  TPoint o = ClientOrigin();
  screen.Blit(o.x, o.y, surface_.Width(), surface_.Height(), surface_, 0, 0, Rop::SrcCopy, screen.Bounds());
  for (const TWindow* child : children_)
    if (child->created_) child->ComposeInto(screen);
}

void TWindow::MouseInput(Msg kind, TPoint clientPoint) {
  Message m;
  m.kind = kind;
  m.point = clientPoint;
  if (!Dispatch(m)) DefaultProcessing(m);
}

void TWindow::KeyInput(const Message& m) {
  if (!Dispatch(m)) DefaultProcessing(m);
}

TWindow* TWindow::ChildAt(TPoint screenPoint) {
  for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
    TWindow* child = *it;
    if (child->created_ && child->ScreenClientRect().Contains(screenPoint)) return child->ChildAt(screenPoint);
  }
  return this;
}
