// The job, plans and candidate patterns as JSON, for programs that read what zelk-cli found.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/bearbeitung.h"
#include "job/job_tables.h"

namespace zelk {

// A shown plan, kept after the search frees the plan object.
struct PlanRecord {
    std::vector<TStab> bars;
    bool fulfilled = false;
    long double usedLength = 0;
    long double pieceLength = 0;
    int32_t totalRest = 0;
    long double restExceptLast = 0;
    std::string source = "search";  // who found it: "search" or "optimum"
};

PlanRecord RecordPlan(const TBearbeitung& plan);

nlohmann::json JobJson(const JobTables& job);
nlohmann::json PlanJson(const PlanRecord& plan, const JobTables& job);
// A candidate pattern; the score is null before the candidates were scored.
nlohmann::json CandidateJson(const TStab& candidate, const JobTables& job, bool scored);

}  // namespace zelk
