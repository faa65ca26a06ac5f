#include "picture/DigitPatterns.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace marn {
namespace {

struct Pattern {
    int integerZeros = 0; // digits always written before the point
    int decimals = 0;     // digits after the point
};

Pattern ParsePattern(std::string_view pattern)
{
    Pattern parsed;
    bool afterPoint = false;
    for (const char ch : pattern) {
        if (ch == '.' && !afterPoint) {
            afterPoint = true;
        } else if (ch == '0' && afterPoint) {
            ++parsed.decimals;
        } else if (ch == '0') {
            ++parsed.integerZeros;
        } else if (ch != '#' || afterPoint) {
            throw std::invalid_argument("unsupported digit pattern \"" + std::string(pattern) + "\"");
        }
    }
    return parsed;
}

// The magnitude of a number as its significant decimal digits d1 d2 ... dP and
// the power of ten of d1.
struct DecimalDigits {
    std::string digits;
    int exponent = 0;
};

template <typename Number>
DecimalDigits SignificantDigits(Number magnitude, int significant)
{
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, significant - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e = text.find('e');
    DecimalDigits out;
    for (const char ch : text.substr(0, e)) {
        if (ch != '.') {
            out.digits.push_back(ch);
        }
    }
    out.exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    return out;
}

// Adds one to a string of decimal digits.
std::string Increment(std::string digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return digits;
        }
        *it = '0';
    }
    return "1" + digits;
}

// The magnitude times 10^decimals, rounded half away from zero, as decimal digits.
std::string ScaledRounded(const DecimalDigits& number, int decimals)
{
    const int count = static_cast<int>(number.digits.size());
    const int shift = number.exponent - (count - 1) + decimals;
    if (shift >= 0) {
        return number.digits + std::string(static_cast<std::size_t>(shift), '0');
    }
    const int keep = count + shift;
    if (keep < 0) {
        return "0";
    }
    std::string kept = keep == 0 ? std::string("0") : number.digits.substr(0, static_cast<std::size_t>(keep));
    return number.digits[static_cast<std::size_t>(keep)] >= '5' ? Increment(kept) : kept;
}

std::string Compose(const DecimalDigits& number, bool negative, const Pattern& pattern)
{
    std::string scaled = ScaledRounded(number, pattern.decimals);
    const std::size_t firstNonZero = scaled.find_first_not_of('0');
    const bool zero = firstNonZero == std::string::npos;
    scaled = zero ? std::string() : scaled.substr(firstNonZero);

    const auto decimals = static_cast<std::size_t>(pattern.decimals);
    if (scaled.size() < decimals) {
        scaled.insert(0, decimals - scaled.size(), '0');
    }
    std::string integerPart = scaled.substr(0, scaled.size() - decimals);
    const std::string fraction = scaled.substr(scaled.size() - decimals);
    const auto integerZeros = static_cast<std::size_t>(pattern.integerZeros);
    if (integerPart.size() < integerZeros) {
        integerPart.insert(0, integerZeros - integerPart.size(), '0');
    }

    std::string text = (negative && !zero) ? "-" : "";
    text += integerPart;
    if (decimals > 0) {
        text += '.';
        text += fraction;
    }
    return text;
}

template <typename Number>
std::string FormatWithPrecision(Number value, std::string_view pattern, int significant)
{
    const Pattern parsed = ParsePattern(pattern);
    if (!std::isfinite(value)) {
        throw std::invalid_argument("cannot format a value that is not a finite number");
    }
    return Compose(SignificantDigits(std::fabs(value), significant), std::signbit(value), parsed);
}

} // namespace

std::string FormatPattern(double value, std::string_view pattern)
{
    return FormatWithPrecision(value, pattern, 15);
}

std::string FormatSinglePattern(float value, std::string_view pattern)
{
    return FormatWithPrecision(value, pattern, 7);
}

} // namespace marn
