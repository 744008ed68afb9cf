#pragma once
// The platform of a real window on this OS, or of the web page: all have the same constructor and
// extras (SetIcon, NowMicroseconds, ToggleFullScreen).
#ifdef _WIN32
#include "platform/Win32Platform.h"
using GameWindowPlatform = Win32Platform;
#elif defined(__EMSCRIPTEN__)
#include "platform/WebPlatform.h"
using GameWindowPlatform = WebPlatform;
#else
#include "platform/SdlPlatform.h"
using GameWindowPlatform = SdlPlatform;
#endif
