// Bounded copies of texts into the record's fixed buffers.
#pragma once

#include <cstddef>

// Copies text into buffer (size characters with the NUL), cutting what does not fit.
// A null text copies as empty.
void copyCut(char* buffer, std::size_t size, const char* text);

// Copies text into buffer only when all of it fits with its NUL, and answers true;
// otherwise leaves the buffer empty and answers false. For paths, where a cut text
// would name some other file. A null text copies as empty.
bool copyWhole(char* buffer, std::size_t size, const char* text);
