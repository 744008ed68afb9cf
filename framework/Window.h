#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Geometry.h"
#include "framework/Message.h"
#include "framework/MessageBox.h"
#include "framework/Surface.h"

class TDC;

// A window: a client surface that its paint draws into, a response table, timers, and a place in
// the desktop. Top-level windows (frames, dialogs, message boxes) sit in the desktop's z-order;
// child windows (the frame's client, the status bar) live inside their parent's client area.
class TWindow {
 public:
  explicit TWindow(TWindow* parent = nullptr, std::string_view title = {});
  virtual ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  TWindow* Parent() const { return parent_; }
  const std::string& Title() const { return title_; }  // CP932
  void SetTitle(std::string_view cp932) { title_ = std::string(cp932); }

  // Geometry. Screen points are client pixels of the OS window.
  TSize ClientSize() const { return {surface_.Width(), surface_.Height()}; }
  void SetClientSize(TSize size);
  TPoint ClientOrigin() const;  // screen point of client (0,0)
  TRect ScreenClientRect() const;
  virtual TRect ScreenOuterRect() const { return ScreenClientRect(); }
  // Child windows: position of the client area inside the parent's client area.
  void SetChildPosition(TPoint p) { childPos_ = p; }
  bool IsChild() const { return isChild_; }
  void MakeChildOf(TWindow* parent);
  const std::vector<TWindow*>& Children() const { return children_; }

  // Showing. Create makes a top-level window visible in the desktop (on top of the z-order).
  virtual void Create();
  bool IsCreated() const { return created_; }
  // Removes the window without asking the close query; owned windows go with it.
  virtual void Destroy();
  // Asks the close query; destroys the window when it agrees. A child asks its top-level window.
  virtual void CloseWindow();
  virtual bool CanClose() { return true; }

  // Painting.
  Surface& ClientSurface() { return surface_; }
  const Surface& ClientSurface() const { return surface_; }
  void Invalidate(bool erase = true);
  void InvalidateRect(const TRect& clientRect, bool erase = true);
  void UpdateWindow();  // paints now when part of the window is waiting to be painted
  bool NeedsPaint() const { return !invalid_.IsEmpty(); }
  virtual void Paint(TDC& dc, bool erase, const TRect& rect);
  virtual TColor Background() const { return kWhite; }

  // Timers, delivered as Msg::Timer to this window's response table.
  void SetTimer(int id, unsigned periodMs);
  void KillTimer(int id);

  int MessageBox(std::string_view text, std::string_view caption, unsigned style = MB_OK);

  // Messages.
  virtual bool Dispatch(const Message& m);
  virtual void DefaultProcessing(const Message&) {}
  void SendCommand(int id);

  // Framework internals: painting, composing and input routing.
  void PaintPending();  // paints this window, then its children, when waiting
  virtual void ComposeInto(Surface& screen) const;
  virtual void MouseInput(Msg kind, TPoint clientPoint);
  virtual void KeyInput(const Message& m);
  // A button went down on a child window of this top-level window.
  virtual void ChildMouseDown() {}
  virtual bool IsModal() const { return false; }
  virtual bool IsMessageBox() const { return false; }
  virtual bool IsPopupMenu() const { return false; }
  // False for a window that opens beside the one the player works in, leaving it the keys.
  virtual bool TakesFocusWhenShown() const { return true; }
  // The window that receives a screen point inside this top-level window (a child or itself).
  TWindow* ChildAt(TPoint screenPoint);

 protected:
  void SetOwnedByFramework() { ownedByFramework_ = true; }
  virtual void OnDestroyed() {}

 private:
  TWindow* parent_;
  std::string title_;
  Surface surface_;
  std::vector<TWindow*> children_;
  TPoint childPos_;
  bool isChild_ = false;
  bool created_ = false;
  bool ownedByFramework_ = false;
  TRect invalid_;
  bool eraseNeeded_ = false;
};

// Positions and sizes of the desktop look shared by windows that draw a caption bar.
namespace metrics {
constexpr int kBorder = 3;
constexpr int kCaption = 18;
}  // namespace metrics
