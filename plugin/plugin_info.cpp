#include "plugin/plugin_info.h"

const char kPluginName[] = "Pipwick";
const char kPluginNameVersion[] = "Pipwick 0.0.1";

namespace {

const char* const kInfoTexts[] = {
    kPluginName,
    "0.0.2",
    "Pipwick developers",
    "2026-12-08",
    "none: Pipwick has no web site",
    "none: Pipwick has no e-mail address",
};

}  // namespace

const char* pluginInfoText(int index) {
    if (index < 1 || index > 6) return kPluginNameVersion;
    return kInfoTexts[index - 1];
}
