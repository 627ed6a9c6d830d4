// What the long runs share: their fixture, which clears the records as it goes and
// checks that GDI objects balance, and the process's private memory, which a leak on
// any heap makes grow.
#pragma once

#include <windows.h>

#include "plugin_fixture.h"

// Committed private memory of the process, from a walk over its address space: what
// a leak on any heap, the plug-in's, the runtime's or the system's, makes grow.
SIZE_T privateBytes();

// Growth allowed between the measurement after the first thousand rounds and the one
// at the end. Heaps grow by whole pages and keep a few for reuse, and the system's
// own caches settle within the first thousand rounds, so some pages may still come
// and go. Each long run says which leak this still catches.
constexpr SIZE_T kAllowedGrowth = 512 * 1024;

class LongRunTest : public PluginTest {
protected:
    // What the test's own records keep grows with every round: cleared as it goes.
    void forgetRecords();

    // Every GDI object made is released but the kept face, a context and a bitmap,
    // which the running clock holds.
    void expectGdiBalanced();
};
