// The host runs its own message loop inside many calls that the plug-in makes: a
// modal box, NorvExecute, ShowMenu, a message sent to the slit or to the host, and
// the window messages that SetWindowPos and ShowWindow deliver. The user can end or
// reload the plug-in from the shell meanwhile, so endPlugin may run before such a
// call returns. A LiveRecord taken before the call tells afterwards whether the
// record it was taken for is still the live one; when it is not, the caller returns
// at once and touches nothing of the record, its window or its handles.
#pragma once

class ClockPlugin;

class LiveRecord {
public:
    explicit LiveRecord(const ClockPlugin* record);
    bool stillLive() const;

private:
    const ClockPlugin* record_;
    unsigned long generation_;
};

// Makes `record` the live one, or leaves none with null. Every change starts a new
// generation, so that a record made later at the same address is never taken for
// one that is gone.
void setLiveRecord(ClockPlugin* record);
