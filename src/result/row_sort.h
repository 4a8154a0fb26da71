// The order of the rows of the result grid after an edit: the rows with a bar count first, each
// kind by its rest, and on equal rests by the row's place before sorting.
#pragma once

#include <string>
#include <vector>

#include "base/text_grid.h"

namespace zelk {

struct ResultRowKey {
    bool assigned = false;  // some stock cell carries a count
    long double rest = 0;   // the Rest/LL cell in hundredths; 0 when it is not a number
    int previousRow = 0;
    std::vector<std::string> cells;
};

// True when a comes first. A total order: previous rows differ.
bool CompareResultRows(const ResultRowKey& a, const ResultRowKey& b);

// Re-orders the data rows of G_V; rows already in place are not rewritten.
void SortResultRows(TextGrid& G_V, int stockKinds, char decimalSeparator);

}  // namespace zelk
