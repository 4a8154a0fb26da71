#include "base/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "base/errors.h"

namespace zelk {

namespace {

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// The parts of a decimal text: sign, digits before and after the separator.
struct DecimalParts {
    bool negative = false;
    std::string_view whole;
    std::string_view fraction;
};

std::string_view TrimView(std::string_view text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlankOrControl(text[first])) {
        ++first;
    }
    while (last > first && IsBlankOrControl(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

std::optional<DecimalParts> SplitDecimal(std::string_view text, char decimalSeparator,
                                         bool allowSeparator) {
    std::string_view t = TrimView(text);
    DecimalParts parts;
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
        parts.negative = t[0] == '-';
        t.remove_prefix(1);
    }
    size_t pos = 0;
    while (pos < t.size() && t[pos] >= '0' && t[pos] <= '9') {
        ++pos;
    }
    parts.whole = t.substr(0, pos);
    if (pos < t.size()) {
        if (!allowSeparator || t[pos] != decimalSeparator) {
            return std::nullopt;
        }
        size_t end = pos + 1;
        while (end < t.size() && t[end] >= '0' && t[end] <= '9') {
            ++end;
        }
        if (end != t.size()) {
            return std::nullopt;
        }
        parts.fraction = t.substr(pos + 1);
    }
    if (parts.whole.empty() && parts.fraction.empty()) {
        return std::nullopt;
    }
    return parts;
}

// Digits to a non-negative value; empty when it exceeds the limit.
std::optional<int64_t> DigitsValue(std::string_view digits, int64_t limit) {
    int64_t value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > limit) {
            return std::nullopt;
        }
    }
    return value;
}

// The dropped decimal places lie within 0.00001 of a hundredth: the first four are zeros, and
// the fifth is 0, or 1 with nothing but zeros after it.
bool DroppedPlacesNegligible(std::string_view dropped) {
    if (dropped.substr(0, 4).find_first_not_of('0') != std::string_view::npos) {
        return false;
    }
    if (dropped.size() <= 4 || dropped[4] == '0') {
        return true;
    }
    return dropped[4] == '1' && dropped.substr(5).find_first_not_of('0') == std::string_view::npos;
}

// A number in exponent form ("1e+20", "-1.5e-07") written out with its decimal point moved, so
// that every length the program writes is one it reads again: "100000000000000000000",
// "-0.00000015".
std::string WithoutExponent(const std::string& text) {
    size_t e = text.find('e');
    if (e == std::string::npos) {
        return text;
    }
    const bool negative = text[0] == '-';
    std::string digits;
    for (char c : text.substr(0, e)) {
        if (c >= '0' && c <= '9') {
            digits += c;
        }
    }
    const int point = 1 + std::stoi(text.substr(e + 1));  // one digit before the mantissa's point
    std::string plain;
    if (point <= 0) {
        plain = "0." + std::string(static_cast<size_t>(-point), '0') + digits;
    } else if (static_cast<size_t>(point) >= digits.size()) {
        plain = digits + std::string(static_cast<size_t>(point) - digits.size(), '0');
    } else {
        plain = digits.substr(0, static_cast<size_t>(point)) + "." +
                digits.substr(static_cast<size_t>(point));
    }
    return negative ? "-" + plain : plain;
}

bool IsSingleAscii(std::string_view text) {
    return text.size() == 1 && static_cast<unsigned char>(text[0]) < 0x80;
}

constexpr int64_t kInt32Limit = std::numeric_limits<int32_t>::max();

int32_t Signed(int64_t magnitude, bool negative) {
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace

std::string Trim(std::string_view text) {
    return std::string(TrimView(text));
}

std::optional<HundredthsReading> ReadHundredths(std::string_view text, char decimalSeparator) {
    auto parts = SplitDecimal(text, decimalSeparator, true);
    if (!parts) {
        return std::nullopt;
    }
    std::string_view fraction = parts->fraction;
    std::string places(fraction.substr(0, 2));
    places.resize(2, '0');
    auto whole = DigitsValue(parts->whole, kInt32Limit / 100 + 1);
    if (!whole) {
        return std::nullopt;
    }
    int64_t magnitude = *whole * 100 + (places[0] - '0') * 10 + (places[1] - '0');
    int64_t limit = parts->negative ? kInt32Limit + 1 : kInt32Limit;
    if (magnitude > limit) {
        return std::nullopt;
    }
    HundredthsReading reading;
    reading.hundredths = Signed(magnitude, parts->negative);
    reading.exact = fraction.size() <= 2 || DroppedPlacesNegligible(fraction.substr(2));
    return reading;
}

std::optional<int32_t> ParseHundredths(std::string_view text, char decimalSeparator) {
    auto reading = ReadHundredths(text, decimalSeparator);
    if (!reading) {
        return std::nullopt;
    }
    return reading->hundredths;
}

std::optional<int32_t> ParseInteger(std::string_view text) {
    auto parts = SplitDecimal(text, '\0', false);
    if (!parts) {
        return std::nullopt;
    }
    auto magnitude = DigitsValue(parts->whole, kInt32Limit + 1);
    if (!magnitude || (!parts->negative && *magnitude > kInt32Limit)) {
        return std::nullopt;
    }
    return Signed(*magnitude, parts->negative);
}

std::optional<double> ParseDecimal(std::string_view text, char decimalSeparator) {
    auto parts = SplitDecimal(text, decimalSeparator, true);
    if (!parts) {
        return std::nullopt;
    }
    std::string plain(parts->whole.empty() ? "0" : parts->whole);
    if (!parts->fraction.empty()) {
        plain += '.';
        plain += parts->fraction;
    }
    double value = 0;
    auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return parts->negative ? -value : value;
}

int32_t IntegerOrConversionError(std::string_view text) {
    auto value = ParseInteger(text);
    if (!value) {
        throw RuntimeError(NotAnIntegerText(std::string(text)));
    }
    return *value;
}

double DecimalOrConversionError(std::string_view text, char decimalSeparator) {
    auto value = ParseDecimal(text, decimalSeparator);
    if (!value) {
        throw RuntimeError(NotAFloatText(std::string(text)));
    }
    return *value;
}

int32_t IntegerOrZero(std::string_view text) {
    return ParseInteger(text).value_or(0);
}

char UsableDecimalSeparator(std::string_view localePoint) {
    return IsSingleAscii(localePoint) ? localePoint[0] : '.';
}

char UsableThousandsSeparator(std::string_view localeGroup, char decimalSeparator) {
    if (IsSingleAscii(localeGroup) && localeGroup[0] != decimalSeparator) {
        return localeGroup[0];
    }
    return decimalSeparator == ',' ? '.' : ',';
}

std::string FormatGeneral(double value, char decimalSeparator) {
    char buffer[64];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text = WithoutExponent(std::string(buffer, result.ptr));
    if (text == "-0") {
        text = "0";
    }
    for (char& c : text) {
        if (c == '.') {
            c = decimalSeparator;
        }
    }
    return text;
}

std::string FormatHundredths(int64_t hundredths, char decimalSeparator) {
    return FormatGeneral(static_cast<double>(hundredths) / 100.0, decimalSeparator);
}

std::string FormatTwoDecimals(long double amount, int64_t partsPerUnit, char decimalSeparator,
                              char thousandsSeparator) {
    // Hundredths of the unit: the product by 100 is exact, the quotient the nearest long double to
    // the decimal value, which is exact whenever that value ends in a half.
    const long double hundredths =
        std::round(amount * 100 / static_cast<long double>(partsPerUnit));
    char buffer[5000];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(hundredths),
                                std::chars_format::fixed, 0);
    std::string digits(buffer, result.ptr);
    digits.insert(0, digits.size() < 3 ? 3 - digits.size() : 0, '0');
    const std::string whole = digits.substr(0, digits.size() - 2);
    std::string grouped;
    for (size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) {
            grouped += thousandsSeparator;
        }
        grouped += whole[i];
    }
    std::string text = grouped + decimalSeparator + digits.substr(digits.size() - 2);
    return hundredths < 0 ? "-" + text : text;
}

}  // namespace zelk
