// tavo2: the game in a real window.
#include "app/TavoApp.h"
#include "framework/Desktop.h"
#include "framework/Encoding.h"
#include "framework/Resources.h"
#include "platform/SdlPlatform.h"

int main() {
  SdlPlatform platform({kScreenWidth, kScreenHeight}, {kFrameX, kFrameY}, AsChars(u8"ポムル Ver2.11"));
  platform.SetIcon(IconResource(1));
  Desktop& desktop = Desktop::Get();
  desktop.Install(platform, {kScreenWidth, kScreenHeight});
  int result = 0;
  {
    TTavoApp app;
    result = app.Run();
  }
  desktop.Uninstall();
  return result;
}
