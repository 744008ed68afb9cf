#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "framework/Fonts.h"
#include "framework/Fonts_win32.h"

namespace {

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring full(path, n);
  return full.substr(0, full.find_last_of(L"\\/") + 1);
}

// Whatever fonts Windows has of its own, the game draws with the files in fonts beside it.
TEST(FontsWin32, TheCarriedFilesAreRegisteredForThisProcess) {
  Fonts::Get().Measure("A", FontFace::Mono16);  // opens the fonts
  const auto files = RegisteredFontFiles();
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0], ProgramFolder() + L"fonts\\ipag.ttf");
  EXPECT_EQ(files[1], ProgramFolder() + L"fonts\\ipagp.ttf");
}

TEST(FontsWin32, EachFamilyIsFoundInItsOwnCarriedFile) {
  const auto gothic = FindFontFile("IPAGothic");
  const auto proportional = FindFontFile("IPAPGothic");
  ASSERT_TRUE(gothic && proportional);
  EXPECT_TRUE(gothic->ends_with("\\fonts\\ipag.ttf")) << *gothic;
  EXPECT_TRUE(proportional->ends_with("\\fonts\\ipagp.ttf")) << *proportional;
}

}  // namespace
