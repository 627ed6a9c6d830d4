// Texts that arrive with window messages, copied into a working buffer.
#pragma once

#include <windows.h>

constexpr int kMessageTextSize = 1024;

// Copies the NUL-terminated text at lParam into buffer (kMessageTextSize characters),
// cutting it at 1023. Reads nothing past the terminating zero, and nothing at all
// from memory this process cannot read. False when there is no readable text; the
// buffer is then empty.
bool copyMessageText(LPARAM lParam, char* buffer);
