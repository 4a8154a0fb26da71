// Fuzz target: a result file loaded as "Ergebnis laden" does it: machine, order, the job, the
// layout, the result section and the statistics.
#include "files/text_file.h"
#include "fuzz/fuzz_support.h"
#include "result/result_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zelk;
    const Lines lines = SplitLines(DecodeFileText(AsText(data, size)));
    OrderPage page = StartPage();
    CalculationPage calculationPage;
    JobTables tables;
    CountingDialogs dialogs;
    const char separator = (size % 2 == 0) ? ',' : '.';
    RunCommand(
        [&] { LoadResultLines(page, calculationPage, tables, lines, separator, '.', dialogs); });
    return 0;
}
