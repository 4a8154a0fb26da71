#include "base/numbers.h"

#include <gtest/gtest.h>

#include "base/errors.h"

namespace zelk {
namespace {

TEST(Hundredths, ExactOnTheDecimalDigits) {
    EXPECT_EQ(ParseHundredths("2.1", '.'), 210);
    EXPECT_EQ(ParseHundredths("0.53", '.'), 53);
    EXPECT_EQ(ParseHundredths("600.5", '.'), 60050);
    EXPECT_EQ(ParseHundredths("6000", '.'), 600000);
    EXPECT_EQ(ParseHundredths("600,5", ','), 60050);
    EXPECT_EQ(ParseHundredths(" -12,5 ", ','), -1250);
    EXPECT_EQ(ParseHundredths(",5", ','), 50);
    EXPECT_EQ(ParseHundredths("+7", ','), 700);
}

TEST(Hundredths, FurtherDecimalsTruncatedTowardZero) {
    EXPECT_EQ(ParseHundredths("1234.567", '.'), 123456);
    EXPECT_EQ(ParseHundredths("-1234.567", '.'), -123456);
    EXPECT_EQ(ParseHundredths("0.009", '.'), 0);
}

TEST(Hundredths, MachineValuesWithMoreThanTwoPlacesAreNotExact) {
    EXPECT_FALSE(ReadHundredths("2.125", '.')->exact);
    EXPECT_TRUE(ReadHundredths("2.10", '.')->exact);
    EXPECT_EQ(ReadHundredths("2.10", '.')->hundredths, 210);
    EXPECT_TRUE(ReadHundredths("2.1000000", '.')->exact);
    EXPECT_TRUE(ReadHundredths("2.1000001", '.')->exact);  // within 0.00001 of a hundredth
    EXPECT_FALSE(ReadHundredths("2.1000011", '.')->exact);
    EXPECT_FALSE(ReadHundredths("2.0999999", '.')->exact);
    // Anything below 0.00001 of a hundredth is within too, however many places it takes.
    EXPECT_TRUE(ReadHundredths("2.10000005", '.')->exact);
    EXPECT_TRUE(ReadHundredths("2.100000099", '.')->exact);
    EXPECT_TRUE(ReadHundredths("2.10000010000", '.')->exact);
    EXPECT_FALSE(ReadHundredths("2.10000011", '.')->exact);
    EXPECT_FALSE(ReadHundredths("2.1000002", '.')->exact);
    EXPECT_FALSE(ReadHundredths("2.100001", '.')->exact);
    EXPECT_EQ(ReadHundredths("2.10000005", '.')->hundredths, 210);
}

TEST(Hundredths, RefusesWhatIsNoNumberOrDoesNotFit) {
    for (const char* text : {"", " ", "12mm", "1.2.3", "1,2", "abc", "1e5", "--1", "+", "."}) {
        EXPECT_FALSE(ParseHundredths(text, '.').has_value()) << text;
    }
    EXPECT_FALSE(ParseHundredths("99999999999", '.').has_value());
    EXPECT_FALSE(ParseHundredths("21474836.48", '.').has_value());
    EXPECT_EQ(ParseHundredths("21474836.47", '.'), 2147483647);
    EXPECT_EQ(ParseHundredths("-21474836.48", '.'), -2147483647 - 1);
    EXPECT_EQ(ParseHundredths("0000000000000000000012.5", '.'), 1250);
}

TEST(Integers, WholeNumbersOnly) {
    EXPECT_EQ(ParseInteger("42"), 42);
    EXPECT_EQ(ParseInteger(" -3 "), -3);
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
    for (const char* text : {"", "2147483648", "1.5", "1,5", "X", "3x", "0x10", "9999999999999"}) {
        EXPECT_FALSE(ParseInteger(text).has_value()) << text;
    }
    EXPECT_EQ(IntegerOrZero("X"), 0);
    EXPECT_EQ(IntegerOrZero("7"), 7);
}

TEST(Decimals, FloatingPointWithTheGivenSeparator) {
    EXPECT_DOUBLE_EQ(*ParseDecimal("1200,50", ','), 1200.5);
    EXPECT_DOUBLE_EQ(*ParseDecimal("-0.25", '.'), -0.25);
    EXPECT_FALSE(ParseDecimal("1200.50", ',').has_value());
    EXPECT_FALSE(ParseDecimal("1.250,5", ',').has_value());
}

TEST(ConversionErrors, CarryTheRuntimeText) {
    try {
        DecimalOrConversionError("12 m", ',');
        FAIL();
    } catch (const RuntimeError& e) {
        EXPECT_STREQ(e.what(), "'12 m' ist kein gültiger Gleitkommawert");
    }
    try {
        IntegerOrConversionError("abc");
        FAIL();
    } catch (const RuntimeError& e) {
        EXPECT_STREQ(e.what(), "'abc' ist kein gültiger Integerwert");
    }
    EXPECT_EQ(ListIndexText(5), "Listenindex überschreitet das Maximum (5)");
}

TEST(GeneralFormat, ShortestFormWithTheGivenSeparator) {
    EXPECT_EQ(FormatHundredths(600000, ','), "6000");
    EXPECT_EQ(FormatHundredths(250, ','), "2,5");
    EXPECT_EQ(FormatHundredths(60050, '.'), "600.5");
    EXPECT_EQ(FormatHundredths(123456, ','), "1234,56");
    EXPECT_EQ(FormatHundredths(-1250, ','), "-12,5");
    EXPECT_EQ(FormatHundredths(0, ','), "0");
    EXPECT_EQ(FormatHundredths(2147483647, '.'), "21474836.47");
    EXPECT_EQ(FormatGeneral(1200.5, ','), "1200,5");
    EXPECT_EQ(FormatGeneral(0.1 + 0.2, '.'), "0.3");  // 15 significant digits hide the binary tail
}

TEST(GeneralFormat, VeryLargeAndVerySmallValuesAreWrittenOutAndReadBack) {
    EXPECT_EQ(FormatGeneral(1e20, ','), "100000000000000000000");
    EXPECT_EQ(FormatGeneral(1.5e15, '.'), "1500000000000000");
    EXPECT_EQ(FormatGeneral(0.00001, ','), "0,00001");
    EXPECT_EQ(FormatGeneral(-1.25e-7, '.'), "-0.000000125");
    EXPECT_EQ(FormatGeneral(123456789012345678.0, '.'), "123456789012346000");
    for (double value : {1e20, 1.5e15, 0.00001, -1.25e-7, 3.25e-12}) {
        for (char sep : {',', '.'}) {
            EXPECT_DOUBLE_EQ(*ParseDecimal(FormatGeneral(value, sep), sep), value) << value;
        }
    }
}

TEST(GeneralFormat, EveryHundredthsValueReadsBack) {
    for (int64_t h :
         {1LL, 7LL, 10LL, 99LL, 101LL, 12345LL, 588790LL, 2147483647LL, -2147483647LL}) {
        for (char sep : {',', '.'}) {
            EXPECT_EQ(ParseHundredths(FormatHundredths(h, sep), sep), h) << h << sep;
        }
    }
}

TEST(TwoDecimalsFormat, ThousandsAndDecimalSeparators) {
    EXPECT_EQ(FormatTwoDecimals(1200, 100, ',', '.'), "12,00");
    EXPECT_EQ(FormatTwoDecimals(24000, 100000, ',', '.'), "0,24");
    EXPECT_EQ(FormatTwoDecimals(1234567800, 100000, ',', '.'), "12.345,68");
    EXPECT_EQ(FormatTwoDecimals(123456750, 100, '.', ','), "1,234,567.50");
    EXPECT_EQ(FormatTwoDecimals(24050, 100, '.', ','), "240.50");
    EXPECT_EQ(FormatTwoDecimals(-100000, 100, ',', '.'), "-1.000,00");
    EXPECT_EQ(FormatTwoDecimals(-100, 100000, ',', '.'), "0,00");
    EXPECT_EQ(FormatTwoDecimals(99999900, 100000, ',', '.'), "1.000,00");
}

// The decimal value is rounded, not its nearest binary fraction: 1,145 and 6,125 are halves.
TEST(TwoDecimalsFormat, HalvesRoundAwayFromZeroOnTheDecimalValue) {
    EXPECT_EQ(FormatTwoDecimals(114500, 100000, ',', '.'), "1,15");   // 1145 mm
    EXPECT_EQ(FormatTwoDecimals(612500, 100000, ',', '.'), "6,13");   // 6125 mm
    EXPECT_EQ(FormatTwoDecimals(187500, 100000, ',', '.'), "1,88");   // 1875 mm
    EXPECT_EQ(FormatTwoDecimals(14500, 100000, ',', '.'), "0,15");    // 145 mm
    EXPECT_EQ(FormatTwoDecimals(-14500, 100000, ',', '.'), "-0,15");  // away from zero
    EXPECT_EQ(FormatTwoDecimals(14499, 100000, ',', '.'), "0,14");
    EXPECT_EQ(FormatTwoDecimals(1000000000000500LL, 100000, '.', ','), "10,000,000,000.01");
    // 3 x 0,335 m: the sum of the hundredths is rounded once.
    EXPECT_EQ(FormatTwoDecimals(3 * 33500, 100000, ',', '.'), "1,01");
}

TEST(LocaleSeparators, OnlyASingleAsciiCharacterIsTakenAndTheTwoNeverClash) {
    EXPECT_EQ(UsableDecimalSeparator(","), ',');
    EXPECT_EQ(UsableDecimalSeparator("\xD9\xAB"), '.');  // Arabic decimal separator
    EXPECT_EQ(UsableDecimalSeparator(""), '.');
    EXPECT_EQ(UsableThousandsSeparator(".", ','), '.');
    EXPECT_EQ(UsableThousandsSeparator("'", '.'), '\'');
    EXPECT_EQ(UsableThousandsSeparator("\xE2\x80\xAF", ','), '.');  // narrow no-break space
    EXPECT_EQ(UsableThousandsSeparator("", '.'), ',');
    EXPECT_EQ(UsableThousandsSeparator(",", ','), '.');
}

}  // namespace
}  // namespace zelk
