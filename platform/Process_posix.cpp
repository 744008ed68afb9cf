#include "platform/Process.h"

void UseBinaryStandardStreams() {}  // POSIX streams never translate line ends
