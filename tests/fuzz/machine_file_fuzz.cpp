// Fuzz target: a machine file's bytes decoded, split into lines and read as the machine section,
// once on an empty order and once on an order with lengths (where a unit change is refused).
#include "files/machine_section.h"
#include "files/text_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zelk;
    const Lines lines = SplitLines(DecodeFileText(AsText(data, size)));
    for (bool withLengths : {false, true}) {
        OrderPage page = StartPage();
        if (withLengths) {
            page.order.g_hsl.SetCell(1, 1, "6000");
        }
        CountingDialogs dialogs;
        size_t cursor = 0;
        RunCommand([&] { ReadMachineSection(lines, cursor, page, dialogs); });
    }
    return 0;
}
