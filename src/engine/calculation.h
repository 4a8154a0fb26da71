// One calculation: the narrow and the wide pass of the search over the same root plan, sharing
// one best plan. It runs on whatever thread the caller chooses and reaches the outside only
// through its SearchHost.
#pragma once

#include <memory>
#include <string>

#include "engine/bearbeitung.h"
#include "engine/search_host.h"

namespace zelk {

// Candidates per pattern generation for the "Rechentiefe" item (0 .. 4 = XS, S, M, L, XL); no
// selection or an unknown item gives the budget of XS.
int SearchBudget(int depthItemIndex);

// How a fault inside the calculation is shown; the prefix is the same in every language.
std::string CalcErrorText(const std::string& faultText);

// Runs both passes on root (which the calculation owns and frees), with the totals computed first
// when totalsPending. The limits hold for the whole run. The best plan is shown after every
// improvement and again after each pass; a fault is shown through ShowCalcError and ends both
// passes. Returns the effort of the run.
EngineCounters RunCalculation(std::unique_ptr<TBearbeitung> root, bool totalsPending, int budget,
                              SelectionLimits limits, SearchHost& host);

}  // namespace zelk
