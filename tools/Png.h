#pragma once
#include <string>

class Surface;

// Writes a surface as an 8-bit RGB PNG; false when the file cannot be written.
bool WritePng(const Surface& surface, const std::string& path);
