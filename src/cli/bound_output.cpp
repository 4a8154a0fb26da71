#include "cli/bound_output.h"

#include "base/translate.h"
#include "optimum/bound_text.h"

namespace zelk {

namespace {

nlohmann::json LengthOrNull(const std::optional<int64_t>& length) {
    return length ? nlohmann::json(*length) : nlohmann::json(nullptr);
}

}  // namespace

nlohmann::json BoundJson(const std::optional<LowerBound>& bound) {
    return {{"used_length", bound ? LengthOrNull(bound->usedLength) : nlohmann::json(nullptr)},
            {"order_can_be_met", bound ? bound->orderCanBeMet : true}};
}

nlohmann::json OptimumJson(const OptimumReport& report) {
    return {{"status", report.status},
            {"used_length", LengthOrNull(report.usedLength)},
            {"seconds", report.seconds},
            {"timed_out", report.timedOut},
            {"work",
             {{"pricing_rounds", report.work.pricingRounds},
              {"patterns", report.work.patterns},
              {"dive_nodes", report.work.diveNodes},
              {"integer_nodes", report.work.integerNodes},
              {"integer_iterations", report.work.integerIterations}}}};
}

void PrintBound(std::ostream& out, const CalculationOutcome& outcome,
                const ResultContext& context) {
    const bool metres = context.orderPage.UnitText() == "mm";
    out << Translate("Untergrenze Verbrauch LL") << "  "
        << BoundText(context.job, outcome.bound, metres, context.decimalSeparator,
                     context.thousandsSeparator)
        << '\n';
    const std::string stageEnd = StageEndText(outcome.optimum.usedLength.has_value(),
                                              outcome.bound && outcome.bound->orderCanBeMet,
                                              outcome.optimum.timedOut, outcome.optimum.whyNoPlan);
    if (!stageEnd.empty()) {
        out << stageEnd << '\n';
    }
    if (!outcome.best) {
        return;
    }
    int64_t bars = 0;
    for (const TStab& bar : outcome.best->bars) {
        bars += bar.BarCount;
    }
    const std::string gap = GapText(context.job, outcome.bound, outcome.best->fulfilled,
                                    outcome.best->usedLength, bars, context.decimalSeparator);
    if (!gap.empty()) {
        out << gap << '\n';
    }
}

}  // namespace zelk
