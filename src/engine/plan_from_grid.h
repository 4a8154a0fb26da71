// Reading the rows of the result grid back into a plan, so that the search can go on from the
// bars the user assigned.
#pragma once

#include "base/text_grid.h"
#include "engine/bearbeitung.h"

namespace zelk {

// Replaces the bars and candidates of plan with one bar entry per row of G_V that carries a bar
// count in a stock column (the last such column gives stock length and count). Cells that are not
// whole numbers count 0; pieces that do not fit on the bar are left off without a message.
void PlanFromGrid(TBearbeitung& plan, const TextGrid& G_V);

}  // namespace zelk
