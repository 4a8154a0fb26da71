// Fuzz target: ReadJob on field texts and list cells taken from the input. The input is split at
// line ends: the first five lines are trim cut, clamp rest, kerf, tolerance and remnant threshold;
// then come list rows "count TAB length", and a line "#" moves on to the next list (stock list,
// fix lists 1 to 3). The first byte's lowest bit chooses the decimal separator.
#include <array>

#include "files/text_file.h"
#include "fuzz/fuzz_support.h"
#include "job/read_job.h"

namespace {

void AddRow(zelk::TextGrid& list, const std::string& line) {
    const size_t tab = line.find('\t');
    const int row = list.RowCount();
    list.SetRowCount(row + 1);
    list.SetCell(row, 0, line.substr(0, tab));
    list.SetCell(row, 1, tab == std::string::npos ? std::string() : line.substr(tab + 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zelk;
    const char separator = (size > 0 && (data[0] & 1)) ? ',' : '.';
    const Lines lines = SplitLines(AsText(data, size));
    OrderPage page = StartPage();
    std::array<std::string*, 5> fields = {&page.machine.E_ASL, &page.machine.E_RSL,
                                          &page.machine.E_SKB, &page.order.EToleranz,
                                          &page.order.E_WastToStock};
    std::array<TextGrid*, 4> lists = {&page.order.g_hsl, &page.order.G_Fixl, &page.order.g_fixl2,
                                      &page.order.g_fixl3};
    for (TextGrid* list : lists) {
        list->SetRowCount(1);
    }
    size_t listIndex = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i < fields.size()) {
            *fields[i] = lines[i];
        } else if (lines[i] == "#") {
            listIndex = std::min(listIndex + 1, lists.size() - 1);
        } else if (lists[listIndex]->RowCount() <= 200) {
            AddRow(*lists[listIndex], lines[i]);
        }
    }
    for (TextGrid* list : lists) {
        list->SetRowCount(std::max(list->RowCount(), 2));
    }
    page.order.group2Shown = page.order.g_fixl2.RowCount() > 2;
    page.order.group3Shown = page.order.g_fixl3.RowCount() > 2;
    CountingDialogs dialogs;
    JobTables tables;
    std::string caption;
    RunCommand([&] { ReadJob(page, separator, dialogs, tables, caption); });
    return 0;
}
