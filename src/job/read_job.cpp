#include "job/read_job.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "base/numbers.h"
#include "base/translate.h"
#include "job/list_aids.h"
#include "job/machine_values.h"

namespace zelk {

namespace {

// More fix entries above the long-piece limit than this raise the limit.
constexpr int kMaxLongPieces = 14;

// A length worked out in 64 bits that the tables, 32 bits wide, can hold.
bool FitsLength(int64_t value) {
    return value >= std::numeric_limits<int32_t>::min() &&
           value <= std::numeric_limits<int32_t>::max();
}

// A machine value in hundredths; refused when it is no number or has more than two decimals.
int32_t ReadMachineValue(const std::string& text, const MachineValueMessages& messages,
                         char decimalSeparator, Dialogs& dialogs) {
    auto reading = ReadHundredths(text, decimalSeparator);
    if (!reading) {
        FailWithMessage(dialogs, Translate(messages.invalid));
    }
    if (!reading->exact) {
        FailWithMessage(dialogs, Translate(messages.decimals));
    }
    return reading->hundredths;
}

std::string TooManyStockLengths() {
    return Translate("Die Anzahl der Lagerlängen ist auf maximal ") + "80" +
           Translate(" begrenzt!");
}

std::string TooManyFixLengths() {
    return Translate("Die Anzahl der Fixlängen ist auf maximal ") + "80" + Translate(" begrenzt!");
}

std::string FaultyStockRow(int row) {
    return Translate("Fehler bei der Angabe der ") + std::to_string(row) +
           Translate(". Lagerlänge");
}

std::string FaultyFixEntry(int entryNumber) {
    return Translate("Fehler bei der Angabe der ") + std::to_string(entryNumber) +
           Translate(". Fixlänge");
}

// At most 80 data rows, and a single data row must have both cells filled.
void CheckListRows(const TextGrid& list, const std::string& tooManyMessage, const char* noneMessage,
                   Dialogs& dialogs) {
    if (list.RowCount() > kMaxKinds + 1) {
        FailWithMessage(dialogs, tooManyMessage);
    }
    if (list.RowCount() == 2 && (list.Cell(1, 0).empty() || list.Cell(1, 1).empty())) {
        FailWithMessage(dialogs, Translate(noneMessage));
    }
}

// The next row a fix list offers to the merge; count 0 when it offers none.
struct FixCandidate {
    int32_t count = 0;
    int32_t length = 0;  // hundredths
    double value = 0;    // the length as typed, for comparing
};

FixCandidate ReadFixCandidate(const TextGrid& list, int row, char decimalSeparator,
                              Dialogs& dialogs, int entryNumber) {
    if (row >= list.RowCount() || list.Cell(row, 0).empty()) {
        return {};
    }
    auto count = ParseInteger(list.Cell(row, 0));
    auto length = ParseHundredths(list.Cell(row, 1), decimalSeparator);
    auto value = ParseDecimal(list.Cell(row, 1), decimalSeparator);
    if (!count || !length || !value) {
        FailWithMessage(dialogs, FaultyFixEntry(entryNumber));
    }
    return {*count, *length, *value};
}

void ReadStockRows(const TextGrid& list, int64_t lengthTakenPerBar, char decimalSeparator,
                   Dialogs& dialogs, JobTables& tables) {
    for (int i = 1; i <= tables.StockKinds; ++i) {
        auto count = ParseInteger(list.Cell(i, 0));
        auto length = ParseHundredths(list.Cell(i, 1), decimalSeparator);
        // A usable length beyond 32 bits (say from a hugely negative trim cut) is refused like
        // an unreadable row rather than wrapped into a wrong one.
        int64_t usable = length ? *length - lengthTakenPerBar : 0;
        if (!count || !length || !FitsLength(usable)) {
            FailWithMessage(dialogs, FaultyStockRow(i));
        }
        tables.StockCountOrig[i] = *count;
        tables.StockLength[i] = *length;
        tables.StockUsable[i] = static_cast<int32_t>(usable);
        int64_t limit = usable * 2 / 100;
        tables.LongPieceLimit =
            static_cast<int32_t>(std::max<int64_t>(tables.LongPieceLimit, limit));
    }
}

void ReadFixEntries(const OrderForm& order, int64_t kerfTol, char decimalSeparator,
                    Dialogs& dialogs, JobTables& tables) {
    FixCursors cursors;
    tables.FixKinds = 0;
    while (true) {
        // A faulty fix length is named by its number in merged order over the three lists, the
        // number the entry would get in the tables (entries passed over are not counted).
        int entryNumber = tables.FixKinds + 1;
        FixEntry entry = ReadNextFixEntry(order, cursors, decimalSeparator, dialogs, entryNumber);
        if (entry.count == 0) {
            return;
        }
        if (entry.count < 0) {
            continue;
        }
        if (tables.FixKinds == kMaxKinds) {
            FailWithMessage(dialogs, TooManyFixLengths());
        }
        int64_t effective = entry.length + kerfTol;
        if (!FitsLength(effective)) {
            FailWithMessage(dialogs, FaultyFixEntry(entryNumber));
        }
        int k = ++tables.FixKinds;
        tables.FixCountOrig[k] = entry.count;
        tables.FixGroup[k] = entry.group;
        tables.FixLength[k] = entry.length;
        tables.FixEffLength[k] = static_cast<int32_t>(effective);
    }
}

// Raises the limit until at most 14 fix entries are strictly longer than it.
void RaiseLongPieceLimit(JobTables& tables) {
    while (true) {
        int above = 0;
        int32_t shortestAbove = std::numeric_limits<int32_t>::max();
        for (int k = 1; k <= tables.FixKinds; ++k) {
            if (tables.FixLength[k] > tables.LongPieceLimit) {
                ++above;
                shortestAbove = std::min(shortestAbove, tables.FixLength[k]);
            }
        }
        if (above <= kMaxLongPieces) {
            return;
        }
        tables.LongPieceLimit = shortestAbove;
    }
}

}  // namespace

FixEntry ReadNextFixEntry(const OrderForm& order, FixCursors& cursors, char decimalSeparator,
                          Dialogs& dialogs, int entryNumber) {
    std::array<FixCandidate, 3> candidates;
    for (int g = 0; g < 3; ++g) {
        candidates[g] = ReadFixCandidate(order.FixList(g + 1), cursors.row[g], decimalSeparator,
                                         dialogs, entryNumber);
    }
    int chosen = 0;
    for (int g = 1; g < 3; ++g) {
        const FixCandidate& best = candidates[chosen];
        const FixCandidate& other = candidates[g];
        if (best.count == 0 || (other.count != 0 && other.value > best.value)) {
            chosen = g;
        }
    }
    const FixCandidate& taken = candidates[chosen];
    if (taken.count == 0) {
        return {};  // no list offers a row any more
    }
    ++cursors.row[chosen];
    return {taken.count, taken.length, chosen + 1};
}

void ReadJob(OrderPage& page, char decimalSeparator, Dialogs& dialogs, JobTables& tables,
             std::string& caption) {
    OrderForm& order = page.order;
    caption = order.E_ABez + "-" + page.machine.E_MBez;

    const MachineForm& machine = page.machine;
    int64_t trimCut = ReadMachineValue(machine.E_ASL, kTrimCutMessages, decimalSeparator, dialogs);
    int64_t clampRest =
        ReadMachineValue(machine.E_RSL, kClampRestMessages, decimalSeparator, dialogs);
    int64_t kerf = ReadMachineValue(machine.E_SKB, kKerfMessages, decimalSeparator, dialogs);
    int64_t tolerance =
        ReadMachineValue(order.EToleranz, kToleranceMessages, decimalSeparator, dialogs);
    // The remnant threshold is only checked here; the statistics read the field themselves.
    ReadMachineValue(order.E_WastToStock, kReturnFromMessages, decimalSeparator, dialogs);
    int64_t kerfTol = kerf + tolerance;

    CompactList(order.g_hsl, order, decimalSeparator);
    CompactList(order.G_Fixl, order, decimalSeparator);

    CheckListRows(order.g_hsl, TooManyStockLengths(),
                  TranslatedLater("Sie haben keine Lagerlängen angegeben!"), dialogs);
    CheckListRows(order.G_Fixl, TooManyFixLengths(),
                  TranslatedLater("Sie haben keine Fixlängen angegeben!"), dialogs);

    tables = JobTables{};
    tables.StockKinds = order.g_hsl.RowCount() - 1;
    ReadStockRows(order.g_hsl, trimCut + clampRest + kerfTol, decimalSeparator, dialogs, tables);
    ReadFixEntries(order, kerfTol, decimalSeparator, dialogs, tables);
    RaiseLongPieceLimit(tables);
}

}  // namespace zelk
