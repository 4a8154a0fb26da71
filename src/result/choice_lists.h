// The choice lists "Kürzen bis" and "Ablagefächer", whose items follow the number of fix lengths.
#pragma once

#include "result/calculation_page.h"

namespace zelk {

// "nur 1 Fixl. pro LL" .. "nur F-1 Fixl. pro LL", "nur nach optimalem Rest"; bins "1" .. F.
// Without keepSelection both lists select their last item: no limit of fix lengths per bar and a
// bin per fix length. With it each keeps its position while that still names an item.
void FillChoiceLists(CalculationPage& page, int fixKinds, bool keepSelection);

}  // namespace zelk
