#pragma once
#include <string>
#include <vector>

#include "framework/SpotFocus.h"
#include "framework/Template.h"
#include "framework/Window.h"

// A control of a dialog, in client pixels. Controls are drawn by the framework over the dialog's
// client surface, as child windows are on the classic desktop.
struct Control {
  ControlKind kind;
  int id;
  std::string text;  // CP932
  TRect rect;
  int iconResource = 0;
  bool enabled = true;
  bool pressed = false;  // a push button held down
};

// A dialog window built from a template. Modal: Execute runs a nested loop and returns the result
// that ended it. Modeless: Create shows it and returns; the framework then owns the object and
// deletes it once it is destroyed (it is also destroyed with its parent).
class TDialog : public TWindow {
 public:
  TDialog(TWindow* parent, int templateId);
  ~TDialog() override;

  int Execute();
  void Create() override;

  // Ends the dialog with result, without the close query.
  void Destroy(int result);
  void Destroy() override { Destroy(IDCANCEL); }
  // The cancel path: the close query, then Destroy(result) when it agrees.
  void CloseWindow(int result);
  void CloseWindow() override { CloseWindow(IDCANCEL); }

  virtual void CmOk() { CloseWindow(IDOK); }
  virtual void CmCancel() { CloseWindow(IDCANCEL); }

  int TemplateId() const { return templateId_; }
  int Result() const { return result_; }
  bool IsModal() const override { return modal_; }
  TRect ScreenOuterRect() const override;
  TColor Background() const override { return kFaceGrey; }
  const std::vector<Control>& Controls() const { return controls_; }
  Control* FindControl(int id);
  // Presses the push button id as a click would (the runner's press).
  bool PressButton(int id);
  // Moves the dialog so that its outer top-left corner is at p (dragging by the caption).
  void MoveTo(TPoint outerTopLeft);

  bool Dispatch(const Message& m) override;
  void DefaultProcessing(const Message& m) override;
  void ComposeInto(Surface& screen) const override;
  void MouseInput(Msg kind, TPoint clientPoint) override;
  void KeyInput(const Message& m) override;
  // Non-client hit tests, in screen points.
  bool InCaption(TPoint screenPoint) const;
  bool InCloseBox(TPoint screenPoint) const;
  virtual bool HasCloseBox() const { return true; }

 protected:
  // For dialogs laid out in pixels by the framework itself (message boxes, the help window).
  TDialog(TWindow* parent, std::string_view caption, TSize clientSize, std::vector<Control> controls);
  void CentreOn(const TWindow* parent, bool onScreen);
  // Where the dialog appears as it is shown: centred on its parent, or on the screen when its
  // template says so. A dialog with a place of its own moves itself there (MoveTo).
  virtual void PlaceOnScreen();
  // A dialog that is a picture with spots lists those live now (client rectangles of what a left
  // click acts on); they take the keyboard focus before the buttons.
  virtual std::vector<TRect> LiveSpots() const { return {}; }
  // Whether Delete and Backspace stand for a right click on the focused spot.
  virtual bool RightClickKeys() const { return false; }
  std::vector<Control> controls_;
  int focusedButton_ = -1;  // index into controls_ for keyboard focus, -1 none

 private:
  void Show();
  const Control* DefaultButton() const;
  // The stops of the keyboard focus: the live spots, then the enabled buttons (their indices in
  // buttonOf, -1 for a spot).
  struct FocusStops {
    std::vector<TRect> rects;
    std::vector<int> buttonOf;
    std::size_t spots = 0;
  };
  FocusStops Stops() const;
  bool SpotKey(const Message& m);
  bool SpotHasFocus() const;
  SpotFocus spotFocus_;
  int templateId_ = 0;
  int result_ = 0;
  bool modal_ = false;
  bool ended_ = false;
  bool centreOnScreen_ = false;
  TPoint outerTopLeft_;
  int pressedControl_ = -1;  // control index captured by a button-down
  friend class TWindow;
};

// Where a window dragged to outerTopLeft stays: a grip of its caption bar remains on the screen.
TPoint KeepCaptionGrip(TPoint outerTopLeft, TSize outerSize, TSize screen);

// Draws a control as the framework shows it (used for dialogs and for tests).
void DrawControl(Surface& screen, const TRect& clip, TPoint origin, const Control& c, bool focused);
