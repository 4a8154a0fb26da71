// Fuzz target: the number functions on arbitrary text, and the round trip of a length: a
// hundredths value written in the general number format reads back as the same value, with the
// point and with the comma as decimal separator.
#include <cstdlib>
#include <cstring>

#include "base/numbers.h"
#include "fuzz/fuzz_support.h"

namespace {

void CheckRoundTrip(int32_t hundredths, char separator) {
    const std::string text = zelk::FormatGeneral(hundredths / 100.0, separator);
    const std::optional<zelk::HundredthsReading> back = zelk::ReadHundredths(text, separator);
    if (!back || back->hundredths != hundredths) {
        std::abort();  // the length changed on its way through the text
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zelk;
    const std::string_view text = AsText(data, size);
    for (char separator : {'.', ','}) {
        (void)ReadHundredths(text, separator);
        (void)ParseDecimal(text, separator);
        if (const auto value = ParseDecimal(text, separator)) {
            (void)FormatGeneral(*value, separator);
        }
    }
    (void)ParseInteger(text);
    (void)IntegerOrZero(text);
    (void)Trim(text);
    RunCommand([&] { (void)IntegerOrConversionError(text); });
    RunCommand([&] { (void)DecimalOrConversionError(text, ','); });
    if (size >= 4) {
        int32_t hundredths = 0;
        std::memcpy(&hundredths, data, sizeof hundredths);
        CheckRoundTrip(hundredths, '.');
        CheckRoundTrip(hundredths, ',');
        (void)FormatHundredths(hundredths, ',');
        (void)FormatTwoDecimals(hundredths, 100000, ',', '.');
    }
    return 0;
}
