#include "render/LocaleNumbers.h"

namespace taktora {

namespace {

// Both forms hold at most one point, the decimal one.
std::string WithSeparator(std::string text, std::string_view decimalSeparator) {
    if (const auto point = text.find('.'); point != std::string::npos) {
        text.replace(point, 1, decimalSeparator);
    }
    return text;
}

}  // namespace

std::string FormatGeneral(double value, std::string_view decimalSeparator) {
    return WithSeparator(FormatGeneral(value, '.'), decimalSeparator);
}

std::string FormatFixed(double value, int decimals, std::string_view decimalSeparator) {
    return WithSeparator(FormatFixed(value, decimals, '.'), decimalSeparator);
}

}  // namespace taktora
