// tavo2-script [FILE]: plays the game headless from a script (standard input without FILE); a FILE
// may be a session record.
#include <fstream>
#include <iostream>

#include "platform/Process.h"
#include "tools/ScriptRunner.h"

int main(int argc, char** argv) {
  UseBinaryStandardStreams();
  if (argc > 2) {
    std::cerr << "usage: tavo2-script [FILE]\n";
    return 2;
  }
  if (argc == 2) {
    std::ifstream file(argv[1]);
    if (!file) {
      std::cerr << "error: cannot read " << argv[1] << "\n";
      return 2;
    }
    return ScriptRunner(file, std::cout, std::cerr, true).Run();
  }
  return ScriptRunner(std::cin, std::cout, std::cerr).Run();
}
