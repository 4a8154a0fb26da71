// The options of zelk-cli.
#pragma once

#include <optional>
#include <string>

namespace zelk {

struct CliOptions {
    std::string machineFile;
    std::string orderFile;
    int depthIndex = 4;               // "Rechentiefe": 0 .. 4 = XS, S, M, L, XL
    std::optional<int> kindLimit;     // --kbis: fix lengths per bar; default all
    std::optional<int> binLimit;      // --bins: drop-off bins; default one per fix length
    std::optional<double> timeLimit;  // seconds
    bool candidatesOnly = false;
    bool json = false;
    bool progress = false;
    bool optimum = false;      // --optimum: the optimum stage beside the search
    bool optimumOnly = false;  // --optimum-only: the optimum stage without the search
    std::string resultFile;    // --result: the result file to write
    std::string xlsxFile;      // --xlsx: the saw plan workbook to write
    char decimalSeparator = '.';
    char thousandsSeparator = ',';
};

// The search depths in the order of the "Rechentiefe" box.
inline constexpr const char* kDepthNames[] = {"XS", "S", "M", "L", "XL"};

}  // namespace zelk
