#pragma once
#include <string_view>

class TWindow;

// Results of modal runs and message boxes.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Message box styles.
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_YESNOCANCEL = 0x3;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_ICONQUESTION = 0x20;

// Shows a message box (CP932 texts) owned by owner (nullptr: no owner, centred on the screen),
// runs a nested loop until a button ends it and returns that button's result. Timers keep firing.
int MessageBox(TWindow* owner, std::string_view text, std::string_view caption, unsigned style = MB_OK);
