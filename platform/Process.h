#pragma once
// Standard output and error carry bytes as they are: on Windows the C runtime would otherwise turn
// every "\n" into "\r\n", and the runner's output would differ from Linux's.
void UseBinaryStandardStreams();
