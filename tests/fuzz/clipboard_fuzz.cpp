// Fuzz target: pasting copied text into the stock list and into fix list 1, with either decimal
// separator; the first byte's lowest bit chooses it.
#include "fuzz/fuzz_support.h"
#include "job/paste_lengths.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zelk;
    const char separator = (size > 0 && (data[0] & 1)) ? ',' : '.';
    const std::string text(AsText(data, size));
    OrderPage page = StartPage();
    CountingDialogs dialogs;
    RunCommand([&] { PasteLengths(text, page.order.g_hsl, page.order, separator, dialogs); });
    RunCommand([&] { PasteLengths(text, page.order.G_Fixl, page.order, separator, dialogs); });
    return 0;
}
