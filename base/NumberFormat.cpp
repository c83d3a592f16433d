#include "base/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace taktora {

namespace {

constexpr int kGeneralDigits = 7;
// Rounding works on this many significant decimal digits, so a value such as 2.675, which the binary double holds as
// 2.67499999..., rounds the way it reads.
constexpr int kRoundingDigits = 15;
constexpr int kMaxDecimals = 15;
constexpr int kNumberTextSize = 40;  // the longest double either conversion writes, with room to spare

// Adds one unit in the last place of a string of decimal digits; returns true when a new leading digit was needed.
bool IncrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return false;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
    return true;
}

}  // namespace

std::string Printf(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    va_list measuring;
    va_copy(measuring, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    std::string text(std::max(length, 0), '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, arguments);  // the string keeps room for the ending zero
    va_end(arguments);
    return text;
}

std::string FormatGeneral(double value, std::string_view decimalSeparator) {
    if (value == 0.0) {
        value = 0.0;  // no "-0"
    }
    char buffer[kNumberTextSize];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, kGeneralDigits);
    std::string text(buffer, result.ptr);
    std::replace(text.begin(), text.end(), 'e', 'E');
    // The one point there is, if any, is the decimal one.
    if (const auto point = text.find('.'); point != std::string::npos) {
        text.replace(point, 1, decimalSeparator);
    }
    return text;
}

std::string FormatFixed(double value, int decimals, std::string_view decimalSeparator) {
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    if (!std::isfinite(value)) {
        value = 0.0;
    }
    // |value| as d.dddddddddddddde+XX, read back as 0.<digits> * 10^pointPos
    char buffer[kNumberTextSize];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer - 1, std::fabs(value),
                                      std::chars_format::scientific, kRoundingDigits - 1);
    *result.ptr = '\0';
    std::string digits;
    digits += buffer[0];
    digits.append(buffer + 2, kRoundingDigits - 1);
    int pointPos = std::atoi(buffer + kRoundingDigits + 2) + 1;

    const int keep = pointPos + decimals;
    if (keep < 0) {
        digits.clear();
    } else if (keep < static_cast<int>(digits.size())) {
        const bool roundUp = digits[keep] >= '5';
        digits.resize(keep);
        if (roundUp && IncrementDigits(digits)) {
            ++pointPos;
        }
    }
    const bool isZero = digits.find_first_not_of('0') == std::string::npos;

    std::string integerPart;
    std::string fraction;
    if (pointPos <= 0) {
        integerPart = "0";
        fraction = std::string(static_cast<std::size_t>(-pointPos), '0') + digits;
    } else {
        if (static_cast<int>(digits.size()) < pointPos) {
            digits.append(pointPos - digits.size(), '0');
        }
        integerPart = digits.substr(0, pointPos);
        fraction = digits.substr(pointPos);
    }
    fraction.resize(decimals, '0');

    std::string text = (value < 0.0 && !isZero) ? "-" : "";
    text += integerPart;
    if (decimals > 0) {
        text += decimalSeparator;
        text += fraction;
    }
    return text;
}

}  // namespace taktora
