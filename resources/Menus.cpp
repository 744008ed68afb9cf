#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/Resources.h"

const MenuTemplate& MenuResource(std::string_view name) {
  static const MenuTemplate mainMenu{
      "IDM_MENU1",
      {
          {"ﾌｧｲﾙ(&F)",
           {
               {"初めからする(&I)", 55530},
               {"今日は終わる(&S)", 55534},
           }},
          {"ﾍﾙﾌﾟ(&H)",
           {
               {"ゲームあそび方(&W)", 55542},
               {"", 0},
               {"バージョン(&A)", 55543},
           }},
      }};
  if (name == mainMenu.name) return mainMenu;
  std::fprintf(stderr, "tavo2: there is no menu resource \"%.*s\"\n", static_cast<int>(name.size()), name.data());
  std::abort();
}
