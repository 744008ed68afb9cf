#pragma once
#include <string>
#include <string_view>

// The game's texts are CP932 (Shift-JIS) byte strings. Text is converted to UTF-8 only where it is
// drawn or printed, and script texts come back the other way. Invalid sequences never stop a
// conversion: a broken byte becomes U+FFFD (to UTF-8) or '?' (to CP932).
std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);
// C++20 u8 literals, for the few texts that are UTF-8 from the start (the OS window caption).
inline std::string_view AsChars(std::u8string_view s) { return {reinterpret_cast<const char*>(s.data()), s.size()}; }
