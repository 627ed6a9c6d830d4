// The benchmark's table and its closing summary line.
#pragma once

#include <string>
#include <vector>

namespace bench {

enum class Goal {
    Ratio,   // Pipwick's figure at most `goal` times the baseline's
    AtMost,  // Pipwick's own figure at most `goal`
    None,    // a part of the row above, shown to explain it
};

struct Row {
    std::string figure;   // what was measured, as the table shows it
    std::string key;      // its name in the summary line
    std::string unit;
    double pipwick;
    double baseline;
    Goal kind;
    double goal;
    // What the baseline is, as the goal line names it.
    std::string comparedWith;
};

bool goalMet(const Row& row);
double ratioOf(const Row& row);
void printTable(const std::vector<Row>& rows);
// One line of name=value pairs, for scripts.
void printSummary(const std::vector<Row>& rows, const std::vector<std::string>& extra);

}  // namespace bench
