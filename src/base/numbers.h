// Reading and writing the numbers the user types: lengths in hundredths of the display unit,
// whole counts, and decimal numbers. The decimal separator is always passed in; the core never
// reads it from the process locale.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelk {

// A length text read exactly on its decimal digits.
struct HundredthsReading {
    int32_t hundredths = 0;
    // The decimal places beyond the second one are (practically) zero: "2.10" yes, "2.125" no.
    bool exact = true;
};

// "600.5" -> 60050, "2.1" -> 210, "1234.567" -> 123456 (further places dropped toward zero).
// Empty when the text is not a number or the value does not fit a 32-bit hundredths length.
std::optional<HundredthsReading> ReadHundredths(std::string_view text, char decimalSeparator);

// Shorthand for callers that drop further decimal places without asking.
std::optional<int32_t> ParseHundredths(std::string_view text, char decimalSeparator);

// A whole number with optional sign and surrounding blanks; empty when it is none or too large.
std::optional<int32_t> ParseInteger(std::string_view text);

// A decimal number with optional sign, surrounding blanks and the given decimal separator.
std::optional<double> ParseDecimal(std::string_view text, char decimalSeparator);

// The same two conversions, failing with the runtime's conversion error for the user.
int32_t IntegerOrConversionError(std::string_view text);
double DecimalOrConversionError(std::string_view text, char decimalSeparator);

// A whole number, 0 when the text is not one ("X", empty, "3x"): how grid cells are counted.
int32_t IntegerOrZero(std::string_view text);

// The separators of the user's locale as the program uses them: a single ASCII character, or
// else '.' for the decimal separator and, for the thousands separator, the one of ',' and '.'
// that does not clash with the decimal separator.
char UsableDecimalSeparator(std::string_view localePoint);
char UsableThousandsSeparator(std::string_view localeGroup, char decimalSeparator);

// The general number format: shortest form with up to 15 significant digits, no thousands
// separator, never in exponent form, so that it reads back as a number. 6000 -> "6000", 2.5 ->
// "2,5" with a comma, 1e20 -> "100000000000000000000".
std::string FormatGeneral(double value, char decimalSeparator);

// A length of the job shown in the display unit: 60050 -> "600.5".
std::string FormatHundredths(int64_t hundredths, char decimalSeparator);

// The format "#,##0.00" for an amount counted in parts of the shown unit (100000 hundredths of a
// millimetre make a metre): the decimal value amount / partsPerUnit is rounded half away from
// zero, so 114500 parts of 100000 read "1,15" and 1234567800 parts of 100000 "12.345,68" with
// German separators. Exact as long as the amount is a whole number below 2^56.
std::string FormatTwoDecimals(long double amount, int64_t partsPerUnit, char decimalSeparator,
                              char thousandsSeparator);

// Leading and trailing blanks and control characters removed.
std::string Trim(std::string_view text);

}  // namespace zelk
