#include "platform/Process.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

void UseBinaryStandardStreams() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}
