// tavo2: the game in a real window.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/EventReport.h"
#include "app/RecordHeader.h"
#include "app/Replay.h"
#include "app/SessionRecord.h"
#include "app/TavoApp.h"
#include "app/Version.h"
#include "framework/Desktop.h"
#include "framework/Encoding.h"
#include "framework/Resources.h"
#include "platform/GameWindow.h"
#include "platform/Process.h"
#include "state/SaveFile.h"

namespace {
// The terminal speaks UTF-8; narrow literals here are CP932.
void Say(std::u8string_view utf8, std::FILE* to = stdout) {
  const std::string_view text = AsChars(utf8);
  std::fwrite(text.data(), 1, text.size(), to);
}

struct Options {
  std::optional<std::string> recordTo = kSessionRecordName;  // nothing: --no-record
  std::optional<std::string> replay;
};

// Nothing for a command line that only asks for help or the version, or that is wrong (code says).
std::optional<Options> ParseOptions(int argc, char** argv, int& code) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--version") {
      Say(u8"ポムル (tavo2) " TAVO2_VERSION "\n");
      code = 0;
      return std::nullopt;
    }
    if ((arg == "--record" || arg == "--replay") && i + 1 < argc) {
      (arg == "--record" ? options.recordTo : options.replay) = argv[++i];
    } else if (arg == "--no-record") {
      options.recordTo.reset();
    } else {
      const bool help = arg == "--help" || arg == "-h";
      Say(u8"使い方: tavo2 [--record ファイル | --no-record | --replay ファイル | --help | --version]\n"
          u8"ヘラブナ釣りのゲーム「ポムル」を開きます。\n"
          u8"記録は今いるフォルダーの tavo2.dat に保存されます。\n"
          u8"操作の記録は同じフォルダーの tavo2-session.txt に残ります(前回の分は tavo2-session-1.txt)。\n"
          u8"  --record ファイル  操作の記録をそのファイルに残す\n"
          u8"  --no-record        操作の記録を残さない\n"
          u8"  --replay ファイル  記録した操作をそのまま再生する(Esc で終わり。セーブには触れません)\n"
          u8"F11 で全画面表示、F1 で遊び方。\n",
          help ? stdout : stderr);
      code = help ? 0 : 2;
      return std::nullopt;
    }
  }
  return options;
}

// A record played in the window, from a copy of its save in a scratch folder.
int Replay(GameWindowPlatform& platform, const std::string& path) {
  std::string error;
  const std::optional<Record> record = ReadRecord(path, error);
  if (!record) {
    std::fprintf(stderr, "error: %s\n", error.c_str());
    return 2;
  }
  if (record->save.kind == StartSave::Kind::Unreadable) {
    std::fprintf(stderr, "error: %s: the session started from a save file that could not be read\n", path.c_str());
    return 2;
  }
  const std::string startedIn = CurrentFolder();
  const std::optional<std::string> scratch = EnterScratchFolder();
  if (!scratch) {
    std::fprintf(stderr, "error: no folder for the replay's save can be made\n");
    return 1;
  }
  int result = 1;
  if (std::FILE* f = record->save.kind == StartSave::Kind::Bytes ? std::fopen(kSaveFileName, "wb") : nullptr) {
    const std::string& bytes = record->save.bytes;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) != 0 || !written) std::fprintf(stderr, "error: cannot write the replay's save\n");
  }
  {
    ReplayPlatform replay(platform, platform.Clock(), *record);
    Desktop& desktop = Desktop::Get();
    desktop.Install(replay, {kScreenWidth, kScreenHeight});
    {
      TTavoApp app;
      result = app.Run();
    }
    desktop.Uninstall();
  }
  LeaveScratchFolder(*scratch, startedIn);
  return result;
}
}  // namespace

int main(int argc, char** argv) {
  UseBinaryStandardStreams();
  int code = 0;
  const std::optional<Options> options = ParseOptions(argc, argv, code);
  if (!options) return code;
  GameWindowPlatform platform({kScreenWidth, kScreenHeight}, {kFrameX, kFrameY}, AsChars(u8"ポムル Ver2.11"));
  platform.SetIcon(IconResource(1));
  if (options->replay) return Replay(platform, *options->replay);

  RecordingPlatform recording(platform);
  Desktop& desktop = Desktop::Get();
  desktop.Install(recording, {kScreenWidth, kScreenHeight});
  EventReport report(stderr);
  if (std::getenv("TAVO2_REPORT") != nullptr) desktop.SetObserver(&report);
  int result = 0;
  {
    // The record starts where the save file is read: after the lock, so a second copy leaves it be.
    TTavoApp app([&] {
      if (options->recordTo)
        recording.Start(std::make_unique<SessionRecord>(*options->recordTo, ReadStartSave(kSaveFileName),
                                                        *options->recordTo == kSessionRecordName));
    });
    result = app.Run();
  }
  desktop.Uninstall();
  return result;
}
