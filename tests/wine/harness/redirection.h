// One entry of the plug-in's import table that the test program replaces.
#pragma once

struct Redirection {
    const char* dll;        // as the import table names it, compared without case
    const char* function;   // imported by this name
    void* replacement;
    void** original;        // receives the address the plug-in called before
};
