// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/navdb/Coordinates.h"

#include "tools/navdb/Numbers.h"

#include <cctype>
#include <string>

namespace navdb {

namespace {

// The hemisphere rule looks at the value as written: -0.00001 is south even
// though it rounds to 0.0, while "-0" is zero and so north.
struct Decimal {
    bool negative = false;
    std::string digits;  // significant digits, no leading zeros
    long exponent = 0;   // value = 0.digits × 10^exponent
};

bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::optional<Decimal> parseDecimal(std::string_view text)
{
    text = trimBlanks(text);
    Decimal result;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        result.negative = text[i] == '-';
        ++i;
    }
    long integerDigits = 0;
    bool sawDigit = false;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        sawDigit = true;
        if (result.digits.empty() && text[i] == '0') {
            continue;
        }
        result.digits.push_back(text[i]);
        ++integerDigits;
    }
    long leadingFractionZeros = 0;
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && isDigit(text[i]); ++i) {
            sawDigit = true;
            if (result.digits.empty() && text[i] == '0') {
                ++leadingFractionZeros;
                continue;
            }
            result.digits.push_back(text[i]);
        }
    }
    if (!sawDigit) {
        return std::nullopt;
    }
    long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        if (i == text.size()) {
            return std::nullopt;
        }
        for (; i < text.size() && isDigit(text[i]); ++i) {
            // Anything beyond a few digits is far outside any coordinate;
            // clamping keeps the arithmetic from overflowing.
            if (exponent < 100000) {
                exponent = exponent * 10 + (text[i] - '0');
            }
        }
        if (negativeExponent) {
            exponent = -exponent;
        }
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    result.exponent = integerDigits - leadingFractionZeros + exponent;
    return result;
}

constexpr long UNITS_PER_DEGREE = 10000;  // hundredths of a degree, to two decimals

// The value in units of 1/10000 degree, rounded half away from zero; nullopt
// when it cannot be a coordinate at all.
std::optional<long> roundedUnits(const Decimal& value)
{
    if (value.digits.empty()) {
        return 0L;
    }
    // Digits that stand for whole units: the integer part of value × 10^4.
    const long unitDigits = value.exponent + 4;
    if (unitDigits > 8) {
        return std::nullopt;
    }
    long units = 0;
    for (long d = 0; d < unitDigits; ++d) {
        const char digit = d < static_cast<long>(value.digits.size()) ? value.digits[d] : '0';
        units = units * 10 + (digit - '0');
    }
    if (unitDigits >= 0 && unitDigits < static_cast<long>(value.digits.size()) &&
        value.digits[unitDigits] >= '5') {
        ++units;
    }
    return units;
}

}  // namespace

std::optional<SplitCoordinate> splitCoordinate(std::string_view text, Axis axis)
{
    const auto value = parseDecimal(text);
    if (!value) {
        return std::nullopt;
    }
    const auto units = roundedUnits(*value);
    const long limit = (axis == Axis::Latitude ? 90 : 180) * UNITS_PER_DEGREE;
    if (!units || *units > limit) {
        return std::nullopt;
    }
    const bool south = value->negative && !value->digits.empty();
    SplitCoordinate result;
    if (axis == Axis::Latitude) {
        result.direction = south ? 'S' : 'N';
    } else {
        result.direction = south ? 'W' : 'E';
    }
    result.major = static_cast<int>(*units / UNITS_PER_DEGREE);
    // Both operands are exact integers, so the division gives the double
    // nearest the two-decimal value: 6394 / 100.0 is the double read as 63.94.
    result.minor = static_cast<double>(*units % UNITS_PER_DEGREE) / 100.0;
    return result;
}

}  // namespace navdb
