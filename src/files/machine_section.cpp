#include "files/machine_section.h"

#include "base/translate.h"
#include "files/line_cursor.h"
#include "files/section_start.h"
#include "job/order_page.h"

namespace zelk {

namespace {

constexpr const char* kKind = "ZELK_MDATA";

// The order holds no lengths yet while the first length cells of the stock list and of fix list 1
// are empty; then a machine may bring its own unit.
bool OrderHasLengths(const OrderForm& order) {
    return !order.g_hsl.Cell(1, 1).empty() || !order.G_Fixl.Cell(1, 1).empty();
}

int UnitEntry(const std::string& unit) {
    for (size_t i = 0; i < kUnitEntries.size(); ++i) {
        if (unit == kUnitEntries[i]) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace

void WriteMachineSection(Lines& lines, const OrderPage& page) {
    const MachineForm& machine = page.machine;
    lines.insert(lines.end(), {std::string(kKind) + " V2", machine.E_MBez, machine.E_ASL,
                               machine.E_RSL, machine.E_SKB, page.UnitText()});
}

void ReadMachineSection(const Lines& lines, size_t& cursor, OrderPage& page, Dialogs& dialogs) {
    int version = SectionVersion(lines, cursor, kKind,
                                 Translate("Die Maschineninformationen sind ungültig."), dialogs);
    if (version == 0) {
        return;
    }
    size_t next = cursor + 1;
    MachineForm machine;
    machine.E_MBez = TakeLine(lines, next);
    machine.E_ASL = TakeLine(lines, next);
    machine.E_RSL = TakeLine(lines, next);
    machine.E_SKB = TakeLine(lines, next);
    std::string unit = version == 2 ? TakeLine(lines, next) : "mm";

    if (unit != page.UnitText() && OrderHasLengths(page.order)) {
        FailWithUnitConflict(dialogs);
    }
    page.cb_einheit = UnitEntry(unit);
    page.machine = std::move(machine);
    cb_einheitChange(page);
    cursor = next;
}

}  // namespace zelk
