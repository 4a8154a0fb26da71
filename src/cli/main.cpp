// zelk-cli: the cutting optimiser without the window, for batch use and for checking plans.
//
//   zelk-cli [options] MACHINE.zkm ORDER.zka
//
// Exit codes: 0 a plan was computed (met or not), 2 the input was refused (the program's message
// on standard error), 3 the saw plan needs more drop-off bins than there are, 1 any other error.

#include <CLI/CLI.hpp>
#include <atomic>
#include <clocale>
#include <csignal>
#include <iostream>

#include "base/errors.h"
#include "base/numbers.h"
#include "cli/bound_output.h"
#include "cli/calculation_run.h"
#include "cli/cli_options.h"
#include "cli/grid_text.h"
#include "cli/stream_dialogs.h"
#include "export/saw_plan.h"
#include "export/xlsx_spreadsheet.h"
#include "files/data_files.h"
#include "job/read_job.h"
#include "result/choice_lists.h"
#include "result/result_grids.h"

namespace zelk {
namespace {

constexpr int kExitPlan = 0;
constexpr int kExitError = 1;
constexpr int kExitRefused = 2;
constexpr int kExitBinsInsufficient = 3;

std::atomic<bool> interrupted{false};

extern "C" void OnInterrupt(int) {
    interrupted.store(true);
}

// The separators of the user's locale, as the window reads the same files.
void TakeLocaleSeparators(CliOptions& options, const std::string& decimalOption) {
    std::setlocale(LC_NUMERIC, "");
    const std::lconv* conventions = std::localeconv();
    const std::string point = conventions->decimal_point;
    const std::string group = conventions->thousands_sep;
    std::setlocale(LC_NUMERIC, "C");
    options.decimalSeparator =
        decimalOption.empty() ? UsableDecimalSeparator(point) : decimalOption[0];
    options.thousandsSeparator = UsableThousandsSeparator(group, options.decimalSeparator);
}

// Parses the command line; returns an exit code when the program must end right away.
std::optional<int> ParseOptions(int argc, char** argv, CliOptions& options) {
    CLI::App app{"ZELK: cutting optimisation for the saw, without the window"};
    app.add_option("machine", options.machineFile, "Machine file (.zkm)")->required();
    app.add_option("order", options.orderFile, "Order file (.zka)")->required();
    std::string depth = kDepthNames[options.depthIndex];
    app.add_option("--depth", depth, "Search depth: XS, S, M, L or XL")
        ->check(CLI::IsMember({"XS", "S", "M", "L", "XL"}))
        ->capture_default_str();
    app.add_option("--kbis", options.kindLimit,
                   "At most N different fix lengths per bar (default: no limit)")
        ->check(CLI::PositiveNumber);
    app.add_option("--bins", options.binLimit,
                   "Drop-off bins at the machine (default: one per fix length)")
        ->check(CLI::PositiveNumber);
    app.add_option("--time-limit", options.timeLimit,
                   "Stop the search after SECONDS and keep the best plan found")
        ->check(CLI::NonNegativeNumber);
    app.add_flag("--candidates", options.candidatesOnly,
                 "No search: show the candidate patterns for the first bar");
    app.add_flag("--json", options.json, "Print JSON");
    app.add_flag("--optimum", options.optimum,
                 "Run the optimum stage beside the search: it seeks the least stock and proves it "
                 "where it reaches the lower bound; a proven optimum ends the run");
    app.add_flag("--optimum-only", options.optimumOnly,
                 "Run the optimum stage without the search (for comparisons)");
    app.add_flag("--progress", options.progress,
                 "Report each better plan on standard error as it is found");
    app.add_option("--result", options.resultFile, "Save the result file (.zke)");
    app.add_option("--xlsx", options.xlsxFile, "Write the saw plan workbook (.xlsx)");
    std::string separator;
    app.add_option("--decimal-separator", separator,
                   "Decimal separator of the lengths (default: the locale's)")
        ->check([](const std::string& text) {
            return text.size() == 1 ? std::string() : std::string("one character expected");
        });
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        int code = app.exit(error);
        return code == 0 ? kExitPlan : kExitRefused;
    }
    for (int i = 0; i < 5; ++i) {
        if (depth == kDepthNames[i]) {
            options.depthIndex = i;
        }
    }
    TakeLocaleSeparators(options, separator);
    return std::nullopt;
}

// Reads machine and order the way the window does: the machine's unit is taken over, an order in
// another unit is refused; then the job is read and checked, which also tidies the lists.
void ReadInput(const CliOptions& options, Dialogs& dialogs, OrderPage& page, JobTables& job) {
    LoadMachineFile(page, options.machineFile, dialogs);
    LoadOrderFile(page, options.orderFile, dialogs);
    std::string caption;
    ReadJob(page, options.decimalSeparator, dialogs, job, caption);
}

// The two limit boxes as the user would set them: more bins or kinds than fix lengths are the
// same as one per fix length.
void ChooseLimits(const CliOptions& options, int fixKinds, CalculationPage& calc) {
    FillChoiceLists(calc, fixKinds, false);
    if (options.kindLimit) {
        calc.CB_KBIS.itemIndex = std::min(*options.kindLimit, fixKinds) - 1;
    }
    if (options.binLimit) {
        calc.cb_ablageplaetze.itemIndex = std::min(*options.binLimit, fixKinds) - 1;
    }
}

SelectionLimits LimitsOf(const CalculationPage& calc) {
    return {calc.CB_KBIS.itemIndex + 1, calc.cb_ablageplaetze.itemIndex + 1};
}

void ShowCandidates(const CliOptions& options, CalculationPage& calc,
                    const ResultContext& context) {
    EngineContext engine(context.job, LimitsOf(calc));
    TBearbeitung plan(engine);
    plan.UpdateTotals();
    plan.GeneratePatterns(SearchBudget(options.depthIndex));
    nlohmann::json generated = nlohmann::json::array();
    for (const auto& candidate : plan.Candidates) {
        generated.push_back(CandidateJson(*candidate, context.job, false));
    }
    plan.FilterCandidates();
    plan.ScoreCandidates();
    plan.SelectCandidates(15);
    if (options.json) {
        nlohmann::json selected = nlohmann::json::array();
        for (const auto& candidate : plan.Candidates) {
            selected.push_back(CandidateJson(*candidate, context.job, true));
        }
        nlohmann::json out = {
            {"job", JobJson(context.job)}, {"generated", generated}, {"selected15", selected}};
        std::cout << out.dump(2) << '\n';
    }
    ShowPlan(calc, plan, context);
}

// Runs the search; returns an exit code when it ended in a fault.
std::optional<int> Calculate(const CliOptions& options, CalculationPage& calc,
                             const ResultContext& context) {
    CalculationSettings settings{SearchBudget(options.depthIndex), LimitsOf(calc),
                                 options.timeLimit, options.optimum || options.optimumOnly,
                                 !options.optimumOnly};
    std::signal(SIGINT, OnInterrupt);
    CalculationOutcome outcome = RunCliCalculation(
        settings, interrupted, options.progress ? &std::cerr : nullptr, calc, context);
    std::signal(SIGINT, SIG_DFL);
    if (outcome.fault) {
        std::cerr << *outcome.fault << '\n';
        return kExitError;
    }
    if (options.json) {
        nlohmann::json improvements = nlohmann::json::array();
        for (const PlanRecord& plan : outcome.improvements) {
            improvements.push_back(PlanJson(plan, context.job));
        }
        nlohmann::json out = {
            {"job", JobJson(context.job)},
            {"improvements", improvements},
            {"best", outcome.best ? PlanJson(*outcome.best, context.job) : nlohmann::json(nullptr)},
            {"bound", BoundJson(outcome.bound)},
            {"optimum", OptimumJson(outcome.optimum)},
            {"stats",
             {{"nodes", outcome.counters.Nodes},
              {"candidates_generated", outcome.counters.Candidates},
              {"seconds", outcome.seconds},
              {"bound_seconds", outcome.boundSeconds},
              {"stopped", outcome.stopped}}}};
        std::cout << out.dump(2) << '\n';
    } else {
        PrintCalculationPage(std::cout, calc);
        PrintBound(std::cout, outcome, context);
    }
    return std::nullopt;
}

// Saves what the options ask for; the exit code of the whole run.
int SaveOutputs(const CliOptions& options, const OrderPage& page, const CalculationPage& calc,
                const ResultContext& context) {
    if (!options.resultFile.empty()) {
        SaveResultFile(page, calc.G_V, calc.G_S, options.resultFile);
    }
    if (options.xlsxFile.empty()) {
        return kExitPlan;
    }
    XlsxSpreadsheet workbook(options.decimalSeparator);
    std::string title = SawPlanTitle(page.machine.E_MBez, page.order.E_ABez);
    bool valid = ExportSawPlan(title, calc.G_V, calc.G_S, context.job, calc.BinCount(),
                               options.decimalSeparator, workbook, context.dialogs);
    workbook.Save(options.xlsxFile);
    return valid ? kExitPlan : kExitBinsInsufficient;
}

int Main(int argc, char** argv) {
    CliOptions options;
    if (auto exitCode = ParseOptions(argc, argv, options)) {
        return *exitCode;
    }
    StreamDialogs dialogs(std::cerr);
    OrderPage page;
    JobTables job;
    try {
        ReadInput(options, dialogs, page, job);
    } catch (const Abort&) {
        return kExitRefused;  // the message is on standard error already
    } catch (const RuntimeError& error) {
        std::cerr << error.what() << '\n';
        return kExitRefused;
    }
    try {
        ResultContext context{job, page, options.decimalSeparator, options.thousandsSeparator,
                              dialogs};
        CalculationPage calc;
        ChooseLimits(options, job.FixKinds, calc);
        LayoutResultColumns(calc, job, page.order, options.decimalSeparator);
        if (options.candidatesOnly) {
            ShowCandidates(options, calc, context);
        } else if (auto exitCode = Calculate(options, calc, context)) {
            return *exitCode;
        }
        if (options.candidatesOnly && !options.json) {
            PrintCalculationPage(std::cout, calc);
        }
        return SaveOutputs(options, page, calc, context);
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return kExitError;
    }
}

}  // namespace
}  // namespace zelk

int main(int argc, char** argv) {
    return zelk::Main(argc, argv);
}
