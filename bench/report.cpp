#include "bench/report.h"

#include <cstdio>

namespace bench {

double ratioOf(const Row& row) {
    return row.baseline > 0 ? row.pipwick / row.baseline : 0;
}

bool goalMet(const Row& row) {
    if (row.goalIsRatio) return row.baseline > 0 && ratioOf(row) <= row.goal;
    return row.pipwick >= 0 && row.pipwick <= row.goal;
}

namespace {

std::string goalText(const Row& row) {
    char text[64];
    if (row.goalIsRatio) {
        std::snprintf(text, sizeof text, "ratio <= %.2f", row.goal);
    } else {
        std::snprintf(text, sizeof text, "<= %.0f %s", row.goal, row.unit.c_str());
    }
    return text;
}

std::string valueText(double value, const std::string& unit) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f %s", value, unit.c_str());
    return text;
}

}  // namespace

void printTable(const std::vector<Row>& rows) {
    std::printf("%-34s %16s %16s %7s %-16s %s\n", "figure", "Pipwick", "baseline", "ratio",
                "goal", "met");
    for (const Row& row : rows) {
        std::printf("%-34s %16s %16s %7.2f %-16s %s\n", row.figure.c_str(),
                    valueText(row.pipwick, row.unit).c_str(),
                    valueText(row.baseline, row.unit).c_str(), ratioOf(row),
                    goalText(row).c_str(), goalMet(row) ? "yes" : "NO");
    }
}

void printSummary(const std::vector<Row>& rows, const std::vector<std::string>& extra) {
    std::printf("bench:");
    int met = 0;
    for (const Row& row : rows) {
        std::printf(" %s=%.1f %s_baseline=%.1f %s_ratio=%.3f", row.key.c_str(), row.pipwick,
                    row.key.c_str(), row.baseline, row.key.c_str(), ratioOf(row));
        if (goalMet(row)) ++met;
    }
    for (const std::string& pair : extra) std::printf(" %s", pair.c_str());
    std::printf(" goals_met=%d goals=%d\n", met, static_cast<int>(rows.size()));
}

}  // namespace bench
