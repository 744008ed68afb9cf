// What the player is told about the save file; the file itself is SaveFile_posix.cpp's or
// SaveFile_win32.cpp's.
#include <string>

#include "framework/MessageBox.h"
#include "state/Reset.h"
#include "state/SaveFile.h"

namespace {

// Set when an unreadable save could not be moved aside: any save of this run would replace it.
bool saveRefused = false;

std::string ReasonText(const LoadResult& result) {
  switch (result.problem) {
    case ReadProblem::Permission:
      return "読む許可がありません。";
    case ReadProblem::Folder:
      return "同じ名前のフォルダーがあります。";
    case ReadProblem::NotAFile:
      return "普通のファイルではありません。";
    case ReadProblem::DanglingLink:
      return "リンク先のファイルがありません。";
    case ReadProblem::LinkLoop:
      return "リンクが循環しています。";
    case ReadProblem::Error:
    case ReadProblem::None:
      break;
  }
  return "読み込みでエラーが起きました（エラー番号 " + std::to_string(result.error) + "）。";
}

}  // namespace

void LoadGameState() {
  saveRefused = false;
  const LoadResult result = ReadSaveFile(gameState, kSaveFileName);
  switch (result.outcome) {
    case LoadOutcome::Loaded:
      return;
    case LoadOutcome::Missing:
      MessageBox(nullptr, "データーファイルがありません！", "ポムル", MB_OK);
      MessageBox(nullptr, "初めから行います。", "ポムル", MB_OK);
      break;
    case LoadOutcome::Damaged: {
      std::string text = "データーファイルが壊れています！\n初めから行います。\n";
      if (result.keptAs.empty())
        text += "壊れたファイルは残せませんでした。";
      else
        text += "壊れたファイルは " + result.keptAs + " として残しました。";
      MessageBox(nullptr, text, "ポムル", MB_OK);
      break;
    }
    case LoadOutcome::Unreadable: {
      std::string text = "データーファイルを読めません！\n" + ReasonText(result) + "\n初めから行います。\n";
      if (result.keptAs.empty()) {
        // It stays where it is, so a save would replace it.
        saveRefused = true;
        text += "読めないファイルを残すため、このままではセーブできません。";
      } else {
        text += "読めないファイルは " + result.keptAs + " として残しました。";
      }
      MessageBox(nullptr, text, "ポムル", MB_OK);
      break;
    }
  }
  ResetGameState();
}

bool SaveGameState(TWindow* owner) {
  const WriteOutcome outcome = saveRefused ? WriteOutcome::OldKept : WriteSaveFile(gameState, kSaveFileName);
  switch (outcome) {
    case WriteOutcome::Written:
      return true;
    case WriteOutcome::OldKept:
      MessageBox(owner, "セーブできませんでした。\nデーターファイルは前のままです。", "ポムル", MB_OK);
      return false;
    case WriteOutcome::Torn:
      MessageBox(owner, "セーブできませんでした。\nデーターファイルが途中まで書き換わっています。\nもう一度セーブしてください。",
                 "ポムル", MB_OK);
      return false;
  }
  return false;
}
