#include "export/saw_plan.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include "base/numbers.h"
#include "export/printed_pages.h"
#include "export/sized_columns.h"

namespace zelk {

namespace {

// Sheet rows of the plan sheet: the title, an empty row, then the result grid; the summary grid
// follows the result grid after one empty row.
constexpr int kResultGridTop = 3;
// Sheet rows of the saw plan: the title, an empty row, the column heads, then the data rows.
constexpr int kSawPlanHeadRow = 3;
constexpr int kSawPlanFirstRow = 4;

// The printed footer: "Seite" and the page number (&P in the footer codes; &S would switch
// strikethrough on instead of printing a number).
constexpr const char* kPageFooter = "Seite &P";

// A cell of a grid, empty outside it: a result grid laid out for an earlier job has fewer
// columns than the job tables now name, and its missing cells read as empty, as in the window.
const std::string& GridText(const TextGrid& grid, int row, int col) {
    static const std::string empty;
    if (row < grid.RowCount() && col < grid.ColCount()) {
        return grid.Cell(row, col);
    }
    return empty;
}

void WriteTitle(const std::string& title, Spreadsheet& sheet) {
    sheet.SetCellText(1, 1, title);
    sheet.SetBold(1, 1);
}

// Copies a grid column by column from the sheet row topRow on; the first column is bold, and so
// is the header row when the grid has one.
void CopyGrid(const TextGrid& grid, int topRow, bool hasHeaderRow, SizedColumns& columns,
              Spreadsheet& sheet) {
    for (int x = 0; x < grid.ColCount(); ++x) {
        for (int y = 0; y < grid.RowCount(); ++y) {
            columns.Write(topRow + y, x + 1, grid.Cell(y, x));
            if (x == 0 || (hasHeaderRow && y == 0)) {
                sheet.SetBold(topRow + y, x + 1);
            }
        }
    }
}

void WritePlanSheet(const std::string& title, const TextGrid& G_V, const TextGrid& G_S,
                    Spreadsheet& sheet) {
    WriteTitle(title, sheet);
    sheet.RenameActiveSheet("Optimierung");
    SizedColumns columns(sheet);
    CopyGrid(G_V, kResultGridTop, true, columns, sheet);
    CopyGrid(G_S, kResultGridTop + G_V.RowCount() + 1, false, columns, sheet);
    sheet.SetCenterFooter(kPageFooter);
    sheet.SetLandscape();
    sheet.SetPrintGridlines();
    // A plan wider than the page goes on over further pages: each of them repeats the header
    // row and the row numbers.
    sheet.SetPrintTitleRows(kResultGridTop, kResultGridTop);
    sheet.SetPrintTitleColumns(1, 1);
}

std::string CountText(int32_t count) {
    return std::to_string(count) + "x";
}

// a - b, held at the limits of 64 bits: many rows of absurd counts cannot overflow the rest.
int64_t SubtractSaturating(int64_t a, int64_t b) {
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    if (b > 0 && a < kMin + b) {
        return kMin;
    }
    if (b < 0 && a > kMax + b) {
        return kMax;
    }
    return a - b;
}

// The saw plan sheet while it is written: the pieces still ordered, what each bin collects, and
// the sheet row being written.
class SawPlan {
public:
    SawPlan(const JobTables& job, int binCount, char decimalSeparator, Spreadsheet& sheet)
        : job_(job),
          decimalSeparator_(decimalSeparator),
          sheet_(sheet),
          columns_(sheet),
          BinLength(std::max(binCount, 0) + 1, 0),
          BinReleasePending(std::max(binCount, 0) + 1, false) {
        std::copy(job.FixCountOrig.begin(), job.FixCountOrig.end(), OrderRest.begin());
    }

    void WriteHead(const std::string& title) {
        WriteTitle(title, sheet_);
        sheet_.RenameActiveSheet("Sägeplan");
        WriteBold(kSawPlanHeadRow, 1, "Lagerlänge");
        WriteBold(kSawPlanHeadRow, 2, "Anzahl");
        for (int j = 1; j <= BinCountValue(); ++j) {
            WriteBold(kSawPlanHeadRow, BinColumn(j), "Ablage " + std::to_string(j));
        }
        // Every printed page of bins repeats the heads and the bar it belongs to.
        sheet_.SetPrintTitleRows(1, kSawPlanHeadRow);
        sheet_.SetPrintTitleColumns(1, 2);
        BreakPagesBetweenBins();
    }

    // Writes data row r of the result grid: its stock and count, then its pieces in placement
    // passes until all are in bins. False when a pass placed nothing.
    bool WriteDataRow(const TextGrid& G_V, int r) {
        ReadRowStock(G_V, r);
        columns_.Write(SheetRow, 1, FormatHundredths(RowStockLength, decimalSeparator_));
        columns_.Write(SheetRow, 2, CountText(RowBarCount));
        for (int i = 1; i <= job_.FixKinds; ++i) {
            PiecesPerBar[i] = IntegerOrZero(GridText(G_V, r, job_.StockKinds + 1 + i));
        }
        bool placed = PlaceAllPieces();
        BreakPagesBetweenBins();
        return placed;
    }

    int CurrentSheetRow() const { return SheetRow; }

private:
    int BinCountValue() const { return static_cast<int>(BinLength.size()) - 1; }

    // Bin j fills the columns 3j+1 (length) and 3j+2 (pieces per bar); 3j+3 stays a spacer.
    static int BinColumn(int j) { return 3 * j + 1; }

    // Placement passes until all pieces of the row are in bins; false when a pass placed nothing.
    bool PlaceAllPieces() {
        do {
            if (!PlacementPass()) {
                return false;
            }
        } while (AnyPiecesLeft());
        ReleasePendingBins();
        return true;
    }

    // Printed pages end between bins, never inside one: each page holds the stock columns and
    // whole bins, a bin with the spacer column before it. Set anew as the columns widen, so that
    // every way out of the export leaves the breaks fitting the widths.
    void BreakPagesBetweenBins() {
        std::vector<ColumnRun> bins;
        for (int j = 1; j <= BinCountValue(); ++j) {
            bins.push_back({BinColumn(j) - 1, BinColumn(j) + 1});
        }
        sheet_.SetColumnPageBreaks(PageBreaksBetweenRuns(bins, 2, columns_.Widths()));
    }

    void WriteBold(int row, int col, const std::string& text) {
        columns_.Write(row, col, text);
        sheet_.SetBold(row, col);
    }

    // The stock cell that is not "X" gives the row's stock length and bar count; if several are
    // not "X", the last one wins.
    void ReadRowStock(const TextGrid& G_V, int r) {
        RowStockLength = 0;
        RowBarCount = 0;
        for (int s = 1; s <= job_.StockKinds; ++s) {
            const std::string& text = GridText(G_V, r, s);
            if (text != "X") {
                RowStockLength = job_.StockLength[s];
                RowBarCount = IntegerOrConversionError(text);
            }
        }
    }

    // One sweep over the fix lengths of the row, on one sheet row (or more, when a bin cell is
    // already taken). False when nothing found a bin.
    bool PlacementPass() {
        bool placedAny = false;
        for (int k = 1; k <= job_.FixKinds; ++k) {
            if (PiecesPerBar[k] <= 0) {
                continue;
            }
            int j = ChooseBin(job_.FixLength[k]);
            if (j == 0) {
                continue;  // retried in the next pass
            }
            placedAny = true;
            Place(k, j);
        }
        ++SheetRow;
        return placedAny;
    }

    // The bin already collecting this length, else the first free bin; 0 when there is none.
    int ChooseBin(int32_t length) const {
        for (int32_t wanted : {length, 0}) {
            for (int j = 1; j <= BinCountValue(); ++j) {
                if (BinLength[j] == wanted) {
                    return j;
                }
            }
        }
        return 0;
    }

    void Place(int k, int j) {
        const int32_t length = job_.FixLength[k];
        const int32_t pieces = PiecesPerBar[k];
        const int col = BinColumn(j);
        BinLength[j] = length;
        if (!sheet_.IsCellEmpty(SheetRow, col)) {
            ++SheetRow;  // the bin was already written in this pass
        }
        columns_.Write(SheetRow, col, FormatHundredths(length, decimalSeparator_));
        columns_.Write(SheetRow, col + 1, CountText(pieces));
        OrderRest[k] = SubtractSaturating(OrderRest[k], int64_t{pieces} * RowBarCount);
        if (OrderRest[k] <= 0) {
            // The order for this length is complete: the bin may be emptied, after a single
            // bar at once, else when the row is done.
            sheet_.SetFillColor(SheetRow, col, kOrderCompleteFill);
            if (RowBarCount == 1) {
                BinLength[j] = 0;
            } else {
                BinReleasePending[j] = true;
            }
        }
        PiecesPerBar[k] = 0;
    }

    bool AnyPiecesLeft() const {
        return std::any_of(PiecesPerBar.begin() + 1, PiecesPerBar.begin() + 1 + job_.FixKinds,
                           [](int32_t pieces) { return pieces > 0; });
    }

    void ReleasePendingBins() {
        for (int j = 1; j <= BinCountValue(); ++j) {
            if (BinReleasePending[j]) {
                BinLength[j] = 0;
                BinReleasePending[j] = false;
            }
        }
    }

    const JobTables& job_;
    const char decimalSeparator_;
    Spreadsheet& sheet_;
    SizedColumns columns_;  // the heads and data rows; the title and the message run on

    std::array<int64_t, kMaxKinds + 1> OrderRest{};  // pieces still to deliver per fix length
    std::vector<int32_t> BinLength;                  // length a bin collects, 0 = free
    std::vector<bool> BinReleasePending;             // freed when the data row is done
    std::array<int32_t, kMaxKinds + 1> PiecesPerBar{};
    int32_t RowStockLength = 0;
    int32_t RowBarCount = 0;
    int SheetRow = kSawPlanFirstRow;
};

}  // namespace

std::string SawPlanTitle(const std::string& machineName, const std::string& orderName) {
    return machineName + "-" + orderName;
}

bool ExportSawPlan(const std::string& title, const TextGrid& G_V, const TextGrid& G_S,
                   const JobTables& job, int binCount, char decimalSeparator, Spreadsheet& sheet,
                   Dialogs& dialogs) {
    WritePlanSheet(title, G_V, G_S, sheet);
    sheet.SelectSecondSheet();
    SawPlan plan(job, binCount, decimalSeparator, sheet);
    plan.WriteHead(title);
    for (int r = 1; r < G_V.RowCount(); ++r) {
        if (!plan.WriteDataRow(G_V, r)) {
            dialogs.ShowMessage(Translate(kBinsInsufficientText));
            sheet.SetCellText(plan.CurrentSheetRow() + 1, 1, kBinsInsufficientText);
            return false;
        }
    }
    return true;
}

}  // namespace zelk
