#include "plugin/live_record.h"

#include "plugin/clock_plugin.h"

namespace {

unsigned long g_generation = 0;

}  // namespace

LiveRecord::LiveRecord(const ClockPlugin* record) : record_(record), generation_(g_generation) {}

bool LiveRecord::stillLive() const {
    return record_ != nullptr && g_plugin == record_ && g_generation == generation_;
}

void setLiveRecord(ClockPlugin* record) {
    g_plugin = record;
    ++g_generation;
}
