#pragma once

// The program's version, as --version says it and a session record names it.
#ifndef TAVO2_VERSION
#define TAVO2_VERSION "2.11"
#endif
