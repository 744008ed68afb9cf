#pragma once
// The platform of a real window on this OS: both have the same constructor and extras (SetIcon,
// NowMicroseconds, ToggleFullScreen).
#ifdef _WIN32
#include "platform/Win32Platform.h"
using GameWindowPlatform = Win32Platform;
#else
#include "platform/SdlPlatform.h"
using GameWindowPlatform = SdlPlatform;
#endif
