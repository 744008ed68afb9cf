// tavo2-script [--transcript OUT] [FILE]: plays the game headless from a script (standard input
// without FILE); a FILE may be a session record. OUT receives the script's input as a real window
// would deliver it, as a record.
#include <cstring>
#include <fstream>
#include <iostream>

#include "platform/Process.h"
#include "tools/ScriptRunner.h"
#include "tools/Transcript.h"

int main(int argc, char** argv) {
  UseBinaryStandardStreams();
  std::ofstream transcript;
  int first = 1;
  if (argc > 2 && std::strcmp(argv[1], "--transcript") == 0) {
    transcript.open(argv[2], std::ios::binary);
    if (!transcript) {
      std::cerr << "error: cannot write " << argv[2] << "\n";
      return 2;
    }
    first = 3;
  }
  if (argc > first + 1) {
    std::cerr << "usage: tavo2-script [--transcript OUT] [FILE]\n";
    return 2;
  }
  Transcript written(transcript);
  auto play = [&](std::istream& script, bool readsHead) {
    ScriptRunner runner(script, std::cout, std::cerr, readsHead);
    if (transcript.is_open()) runner.SetTranscript(&written);
    return runner.Run();
  };
  if (argc == first + 1) {
    std::ifstream file(argv[first]);
    if (!file) {
      std::cerr << "error: cannot read " << argv[first] << "\n";
      return 2;
    }
    return play(file, true);
  }
  return play(std::cin, false);
}
