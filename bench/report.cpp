#include "bench/report.h"

#include <cstdio>

namespace bench {

double ratioOf(const Row& row) {
    return row.baseline > 0 ? row.pipwick / row.baseline : 0;
}

bool goalMet(const Row& row) {
    switch (row.kind) {
    case Goal::Ratio:
        return row.baseline > 0 && ratioOf(row) <= row.goal;
    case Goal::AtMost:
        return row.pipwick >= 0 && row.pipwick <= row.goal;
    case Goal::None:
        break;
    }
    return false;
}

namespace {

std::string goalText(const Row& row) {
    char text[256];
    switch (row.kind) {
    case Goal::Ratio:
        std::snprintf(text, sizeof text, "<= %.2f x %s", row.goal, row.comparedWith.c_str());
        break;
    case Goal::AtMost:
        std::snprintf(text, sizeof text, "<= %.0f %s", row.goal, row.unit.c_str());
        break;
    case Goal::None:
        std::snprintf(text, sizeof text, "none: %s", row.comparedWith.c_str());
        break;
    }
    return text;
}

const char* metText(const Row& row) {
    if (row.kind == Goal::None) return "-";
    return goalMet(row) ? "yes" : "NO";
}

std::string valueText(double value, const std::string& unit) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f %s", value, unit.c_str());
    return text;
}

}  // namespace

// The goal comes last: it says what the baseline column holds.
void printTable(const std::vector<Row>& rows) {
    std::printf("%-34s %13s %13s %6s %-4s %s\n", "figure", "Pipwick", "baseline", "ratio", "met",
                "goal, against what");
    for (const Row& row : rows) {
        std::printf("%-34s %13s %13s %6.2f %-4s %s\n", row.figure.c_str(),
                    valueText(row.pipwick, row.unit).c_str(),
                    valueText(row.baseline, row.unit).c_str(), ratioOf(row), metText(row),
                    goalText(row).c_str());
    }
}

void printSummary(const std::vector<Row>& rows, const std::vector<std::string>& extra) {
    std::printf("bench:");
    int met = 0;
    int goals = 0;
    for (const Row& row : rows) {
        std::printf(" %s=%.1f %s_baseline=%.1f %s_ratio=%.3f", row.key.c_str(), row.pipwick,
                    row.key.c_str(), row.baseline, row.key.c_str(), ratioOf(row));
        if (row.kind == Goal::None) continue;
        ++goals;
        if (goalMet(row)) ++met;
    }
    for (const std::string& pair : extra) std::printf(" %s", pair.c_str());
    std::printf(" goals_met=%d goals=%d\n", met, goals);
}

}  // namespace bench
