#pragma once
#include <string>
#include <vector>

// The carried font files registered for this process (FR_PRIVATE) once the fonts are open.
std::vector<std::wstring> RegisteredFontFiles();
