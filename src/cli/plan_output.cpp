#include "cli/plan_output.h"

namespace zelk {

namespace {

// Entries 1 .. count of a 1-based table.
nlohmann::json Entries(const KindArray& table, int count) {
    return std::vector<int32_t>(table.begin() + 1, table.begin() + 1 + count);
}

nlohmann::json BarJson(const TStab& bar, const JobTables& job) {
    return {{"stock", bar.StockIndex},
            {"count", bar.BarCount},
            {"pieces", Entries(bar.Pieces, job.FixKinds)},
            {"rest", bar.Rest}};
}

}  // namespace

PlanRecord RecordPlan(const TBearbeitung& plan) {
    PlanRecord record;
    for (const auto& bar : plan.Bars) {
        record.bars.push_back(*bar);
    }
    record.fulfilled = plan.Fulfilled;
    record.usedLength = plan.UsedLength;
    record.pieceLength = plan.PieceLength;
    record.totalRest = plan.TotalRest;
    record.restExceptLast = plan.RestExceptLast;
    return record;
}

nlohmann::json JobJson(const JobTables& job) {
    return {{"stock_kinds", job.StockKinds},
            {"fix_kinds", job.FixKinds},
            {"stock_length", Entries(job.StockLength, job.StockKinds)},
            {"stock_usable", Entries(job.StockUsable, job.StockKinds)},
            {"stock_count", Entries(job.StockCountOrig, job.StockKinds)},
            {"fix_length", Entries(job.FixLength, job.FixKinds)},
            {"fix_eff_length", Entries(job.FixEffLength, job.FixKinds)},
            {"fix_count", Entries(job.FixCountOrig, job.FixKinds)},
            {"fix_group", Entries(job.FixGroup, job.FixKinds)},
            {"long_piece_limit", job.LongPieceLimit}};
}

nlohmann::json PlanJson(const PlanRecord& plan, const JobTables& job) {
    nlohmann::json bars = nlohmann::json::array();
    for (const TStab& bar : plan.bars) {
        bars.push_back(BarJson(bar, job));
    }
    return {{"bars", bars},
            {"fulfilled", plan.fulfilled},
            {"used_length", static_cast<int64_t>(plan.usedLength)},
            {"piece_length", static_cast<int64_t>(plan.pieceLength)},
            {"total_rest", plan.totalRest},
            {"rest_except_last", static_cast<int64_t>(plan.restExceptLast)},
            {"source", plan.source}};
}

nlohmann::json CandidateJson(const TStab& candidate, const JobTables& job, bool scored) {
    nlohmann::json json = BarJson(candidate, job);
    json["score"] = scored ? nlohmann::json(static_cast<double>(candidate.Score)) : nullptr;
    return json;
}

}  // namespace zelk
