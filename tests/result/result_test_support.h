// What the result tests share: an order page read into job tables the way the program reads it,
// a calculation page, a dialog recorder, and plans built bar by bar.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "engine/bearbeitung.h"
#include "job/read_job.h"
#include "job/recording_dialogs.h"
#include "result/calculation_page.h"
#include "result/choice_lists.h"

namespace zelk {

using Cells = std::vector<std::string>;

// Failed grid comparisons show the cells.
inline void PrintTo(const TextGrid& grid, std::ostream* out) {
    for (int row = 0; row < grid.RowCount(); ++row) {
        *out << "\n  ";
        for (const std::string& cell : grid.Row(row)) {
            *out << '[' << cell << ']';
        }
    }
}

// A bar entry or candidate: stock length, bars cut, pieces of fix lengths 1, 2, ..., rest.
inline std::unique_ptr<TStab> Bar(int32_t stockIndex, int32_t barCount, std::vector<int32_t> pieces,
                                  int32_t rest) {
    auto bar = std::make_unique<TStab>(stockIndex, 0);
    bar->BarCount = barCount;
    bar->Rest = rest;
    for (size_t k = 0; k < pieces.size(); ++k) {
        bar->Pieces[k + 1] = pieces[k];
    }
    return bar;
}

// German separators throughout; the machine of the worked figures: trim cut 10, clamp rest 100,
// kerf 3, tolerance 0, remnants back to stock from 500 (mm).
class ResultTest : public ::testing::Test {
protected:
    ResultTest() {
        orderPage.machine = {"Säge", "10", "100", "3"};
        orderPage.order.E_ABez = "Fenster";
        orderPage.order.EToleranz = "0";
        orderPage.order.E_WastToStock = "500";
    }

    // Reads the lists into the job and prepares the choice lists as switching to the page does.
    void ReadOrder(const ListRows& stock, const ListRows& fix) {
        orderPage.order.g_hsl = MakeList(stock);
        orderPage.order.G_Fixl = MakeList(fix);
        ReadJob(orderPage, ',', dialogs, job, page.LBerechName);
        FillChoiceLists(page, job.FixKinds, false);
    }

    // Two stock lengths and three fix lengths; usable lengths 588700 and 488700, effective fix
    // lengths 250300, 190300 and 120300.
    void ReadExampleOrder() {
        ReadOrder({{"5", "6000"}, {"4", "5000"}}, {{"4", "2500"}, {"6", "1900"}, {"3", "1200"}});
    }

    ResultContext Context() { return {job, orderPage, ',', '.', dialogs}; }

    // Two bar entries and one candidate of the example order.
    std::unique_ptr<TBearbeitung> ExamplePlan() {
        auto plan = std::make_unique<TBearbeitung>(engine);
        plan->Bars.push_back(Bar(1, 2, {2, 0, 0}, 88100));
        plan->Bars.push_back(Bar(2, 1, {0, 1, 2}, 57800));
        plan->Candidates.push_back(Bar(1, 2, {0, 3, 0}, 17800));
        return plan;
    }

    // One data row per entry of cells.
    void SetDataRows(const std::vector<Cells>& rows) {
        page.G_V.SetRowCount(static_cast<int>(rows.size()) + 1);
        for (size_t r = 0; r < rows.size(); ++r) {
            for (size_t c = 0; c < rows[r].size(); ++c) {
                page.G_V.SetCell(static_cast<int>(r) + 1, static_cast<int>(c), rows[r][c]);
            }
        }
    }

    std::vector<Cells> DataRows() const {
        std::vector<Cells> rows;
        for (int r = 1; r < page.G_V.RowCount(); ++r) {
            rows.push_back(page.G_V.Row(r));
        }
        return rows;
    }

    Cells InfoBox() const {
        return {page.L_HLSumme, page.L_FIXLSumme, page.L_LagerRest, page.L_Maschrest, page.L_Rest};
    }

    OrderPage orderPage;
    JobTables job;
    EngineContext engine{job};
    CalculationPage page;
    RecordingDialogs dialogs;
};

}  // namespace zelk
