// The settings file as a first start writes it, byte for byte: 18 lines, lines 14 to
// 17 ending in CR LF and all others in LF, 504 bytes.
#pragma once

inline constexpr char kFirstRunSettings[] =
    "Pipwick.position.x: 10\n"
    "Pipwick.position.y: 10\n"
    "Pipwick.position.width: 200\n"
    "Pipwick.position.height: 200\n"
    "Pipwick.size.circlesize: 4\n"
    "Pipwick.color.unmarked.red: 255\n"
    "Pipwick.color.unmarked.green: 255\n"
    "Pipwick.color.unmarked.blue: 255\n"
    "Pipwick.color.marked.red: 0\n"
    "Pipwick.color.marked.green: 0\n"
    "Pipwick.color.marked.blue: 0\n"
    "Pipwick.alwaysOnTop: true\n"
    "Pipwick.snapWindow: true\n"
    "Pipwick.transparency: false\r\n"
    "Pipwick.transparency.alpha: 200\r\n"
    "Pipwick.inSlit: false\r\n"
    "Pipwick.autoResize: false\r\n"
    "Pipwick.timerInterval: 5\n";
static_assert(sizeof kFirstRunSettings - 1 == 504, "a first-run file is 504 bytes");
