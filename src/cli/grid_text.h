// The calculation page as text: the result grid over the summary grid in aligned columns, the
// Info-Box figures with their captions, and the order state when it shows.
#pragma once

#include <ostream>

#include "result/calculation_page.h"

namespace zelk {

void PrintCalculationPage(std::ostream& out, const CalculationPage& page);

}  // namespace zelk
