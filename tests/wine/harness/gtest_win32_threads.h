// Included ahead of every GoogleTest source and test. The MinGW-w64 compiler with
// the win32 thread model has no std::mutex or std::condition_variable, which
// GoogleTest's Notification uses; this one waits on a Win32 event instead.
// GoogleTest needs it only for its own thread tests; the tests here are
// single-threaded.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace testing {
namespace internal {

class Notification {
public:
    Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { CloseHandle(event_); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};

}  // namespace internal
}  // namespace testing

#define GTEST_HAS_NOTIFICATION_ 1
