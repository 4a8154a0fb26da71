// The lower bound and the optimum stage in zelk-cli's output: as JSON, and as text under the
// Info-Box lines.
#pragma once

#include <optional>
#include <ostream>

#include <nlohmann/json.hpp>

#include "cli/calculation_run.h"

namespace zelk {

// {"used_length": N or null, "order_can_be_met": bool}
nlohmann::json BoundJson(const std::optional<LowerBound>& bound);
// {"status": ..., "used_length": N or null, "seconds": x}
nlohmann::json OptimumJson(const OptimumReport& report);

// "Untergrenze Verbrauch LL" with the bound, then how far the best plan lies above it.
void PrintBound(std::ostream& out, const CalculationOutcome& outcome, const ResultContext& context);

}  // namespace zelk
