// The state of the calculation page that the result rules act on: the result grid G_V and the
// summary grid G_S, the two choice lists, the figures of the Info-Box and the order state. The
// window binds its controls to these fields and shows what the rules leave in them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/dialogs.h"
#include "base/text_grid.h"
#include "job/forms.h"
#include "job/job_tables.h"

namespace zelk {

// Column widths in pixels. The Max LL and Rest/LL columns keep whatever width the grid gives
// them (its default on first use, or what the user dragged them to).
inline constexpr int kGridDefaultWidth = -1;
inline constexpr int kNumberColumnWidth = 50;
inline constexpr int kStockColumnWidth = 60;
inline constexpr int kFixColumnWidth = 50;

// A drop-down list: its items and the selected position, -1 when none is selected.
struct ChoiceList {
    std::vector<std::string> items;
    int itemIndex = -1;
};

struct CalculationPage {
    // "order-machine" once a job is read; empty before, when the window shows its design text.
    std::string LBerechName;

    // One header row and one data row; three columns while there is no job ("Nr.", "Max LL",
    // "Rest/LL"). G_S has the rows "Verplant" and "Rest".
    TextGrid G_V{2, 3};
    TextGrid G_S{2, 3};
    std::vector<int> columnWidths;  // one per column, the same in both grids

    bool ResultEdited = false;  // G_V was edited since its rows were last sorted

    // The job the shown plan was computed for (or read with from a result file); none before the
    // first plan.
    std::optional<JobTables> planJob;

    ChoiceList CB_KBIS;           // "Kürzen bis": fix lengths one bar may carry
    ChoiceList cb_ablageplaetze;  // "Ablagefächer": drop-off bins at the machine

    // The Info-Box values, as shown: "12,00 m".
    std::string L_HLSumme;    // "verplanter Verbrauch LL"
    std::string L_FIXLSumme;  // "Summe verplanter FL"
    std::string L_LagerRest;  // "Restlängen zurück ins Lager"
    std::string L_Maschrest;  // "Maschinenbedingter Entfall"
    std::string L_Rest;       // "Entfall"

    std::string L_AuftragNichtErfuellt;  // the warning under the Info-Box
    bool L_AuftragNichtErfuelltVisible = false;
    bool Btn_RestAlsNeuenAuftragVisible = false;  // "Restauftrag bilden"

    // The number of drop-off bins chosen: the selected position + 1, 0 when none is selected.
    int BinCount() const { return cb_ablageplaetze.itemIndex + 1; }
};

// What the result rules read besides the page: the job, the order page (machine inputs, unit,
// group labels) and the user's number separators. Messages go through dialogs.
struct ResultContext {
    const JobTables& job;
    const OrderPage& orderPage;
    char decimalSeparator;
    char thousandsSeparator;
    Dialogs& dialogs;
};

}  // namespace zelk
