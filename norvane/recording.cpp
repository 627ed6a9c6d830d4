// Recording mode: every host function call with its arguments as texts.
#include "norvane/host_internal.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace norvane {
namespace {

std::vector<HostCall> s_calls;

}  // namespace

void recordCall(const char* function, std::initializer_list<std::string> arguments) {
    s_calls.push_back(HostCall{function, std::vector<std::string>(arguments)});
}

std::string textArgument(const char* text) { return text != nullptr ? text : "(null)"; }

std::string numberArgument(long long number) { return std::to_string(number); }

std::string boolArgument(bool value) { return value ? "true" : "false"; }

std::string colourArgument(COLORREF colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

std::string rectArgument(const RECT& rect) {
    char text[64];
    std::snprintf(text, sizeof text, "%ld,%ld,%ld,%ld", static_cast<long>(rect.left),
                  static_cast<long>(rect.top), static_cast<long>(rect.right),
                  static_cast<long>(rect.bottom));
    return text;
}

void forgetCalls() { s_calls.clear(); }

const std::vector<HostCall>& calls() { return s_calls; }

std::vector<HostCall> callsTo(const char* function) {
    std::vector<HostCall> found;
    if (function == nullptr) return found;
    for (const HostCall& call : s_calls) {
        if (call.function == function) found.push_back(call);
    }
    return found;
}

void clearCalls() { s_calls.clear(); }

std::string pointerText(const void* pointer) {
    const auto value = reinterpret_cast<std::uintptr_t>(pointer);
    if (value == 0) return "0";
    char text[2 + 2 * sizeof value + 1];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

}  // namespace norvane
