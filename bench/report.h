// The benchmark's table and its closing summary line.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct Row {
    std::string figure;   // what was measured, as the table shows it
    std::string key;      // its name in the summary line
    std::string unit;
    double pipwick;
    double baseline;
    // The goal: either the ratio to the baseline or Pipwick's own figure stays at
    // most `goal`.
    bool goalIsRatio;
    double goal;
};

bool goalMet(const Row& row);
double ratioOf(const Row& row);
void printTable(const std::vector<Row>& rows);
// One line of name=value pairs, for scripts.
void printSummary(const std::vector<Row>& rows, const std::vector<std::string>& extra);

}  // namespace bench
