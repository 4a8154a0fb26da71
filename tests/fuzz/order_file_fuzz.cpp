// Fuzz target: an order file's bytes decoded, split into lines and read as the order section.
#include "files/order_section.h"
#include "files/text_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zelk;
    OrderPage page = StartPage();
    CountingDialogs dialogs;
    const Lines lines = SplitLines(DecodeFileText(AsText(data, size)));
    size_t cursor = 0;
    RunCommand([&] { ReadOrderSection(lines, cursor, page, dialogs); });
    return 0;
}
