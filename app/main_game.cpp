// tavo2: the game in a real window.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "app/EventReport.h"
#include "app/TavoApp.h"
#include "framework/Desktop.h"
#include "framework/Encoding.h"
#include "framework/Resources.h"
#include "platform/GameWindow.h"
#include "platform/Process.h"

#ifndef TAVO2_VERSION
#define TAVO2_VERSION "2.11"
#endif

namespace {
// The terminal speaks UTF-8; narrow literals here are CP932.
void Say(std::u8string_view utf8, std::FILE* to = stdout) {
  const std::string_view text = AsChars(utf8);
  std::fwrite(text.data(), 1, text.size(), to);
}
}  // namespace

int main(int argc, char** argv) {
  UseBinaryStandardStreams();
  if (argc > 1) {
    if (std::strcmp(argv[1], "--version") == 0) {
      Say(u8"ポムル (tavo2) " TAVO2_VERSION "\n");
      return 0;
    }
    const bool help = std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0;
    Say(u8"使い方: tavo2 [--help | --version]\n"
        u8"ヘラブナ釣りのゲーム「ポムル」を開きます。\n"
        u8"記録は今いるフォルダーの tavo2.dat に保存されます。\n"
        u8"F11 で全画面表示、F1 で遊び方。\n",
        help ? stdout : stderr);
    return help ? 0 : 2;
  }
  GameWindowPlatform platform({kScreenWidth, kScreenHeight}, {kFrameX, kFrameY}, AsChars(u8"ポムル Ver2.11"));
  platform.SetIcon(IconResource(1));
  Desktop& desktop = Desktop::Get();
  desktop.Install(platform, {kScreenWidth, kScreenHeight});
  EventReport report(stderr);
  if (std::getenv("TAVO2_REPORT") != nullptr) desktop.SetObserver(&report);
  int result = 0;
  {
    TTavoApp app;
    result = app.Run();
  }
  desktop.Uninstall();
  return result;
}
