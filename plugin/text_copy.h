// Bounded copies of texts into the record's fixed buffers.
#pragma once

#include <cstddef>

// Copies text into buffer (size characters with the NUL), cutting what does not fit.
// A null text copies as empty.
void copyCut(char* buffer, std::size_t size, const char* text);
