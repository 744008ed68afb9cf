#pragma once
#include <cstdint>
#include <optional>

#include "framework/Platform.h"
#include "platform/Presentation.h"

// What one window message means to the framework, as Win32Platform's window procedure hands it
// on: mouse buttons and moves with their points mapped back to game pixels, and keys. Anything
// else gives nothing. altDown: whether Alt is held as the message is handled.
std::optional<InputEvent> TranslateWindowMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                                                 const Presentation& presentation, bool altDown);
