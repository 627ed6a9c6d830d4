#include <cstdlib>
#include <cstring>

#include "plugin/clock_plugin.h"
#include "plugin/text_copy.h"

void ClockPlugin::readStyle() {
    // A style path too long for the record is not cut: the cut path could name
    // another file. Every key then reads as missing.
    copyWhole(styleFile, sizeof styleFile, stylePath(nullptr));

    backColor = ReadColor(styleFile, "toolbar.color:", "#000000");
    backColorTo = ReadColor(styleFile, "toolbar.colorTo:", "#FFFFFF");
    borderColor = ReadColor(styleFile, "borderColor:", "#000000");

    // The host's text is valid only until its next read, so it is copied at once.
    char description[1024];
    copyCut(description, sizeof description,
            ReadString(styleFile, "toolbar:", "Flat Gradient Vertical"));
    if (styleItem != nullptr) std::free(styleItem);
    styleItem = static_cast<StyleItem*>(std::malloc(sizeof(StyleItem)));
    if (styleItem != nullptr) ParseItem(description, styleItem);

    bevelWidth = ReadInt(styleFile, "bevelWidth:", 1);
    borderWidth = ReadInt(styleFile, "borderWidth:", 1);
    fontHeight = 12;
    // The kept background was drawn in the style before.
    background.forget();
}
