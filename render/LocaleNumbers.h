#pragma once

#include <string>
#include <string_view>

#include "base/NumberFormat.h"

namespace taktora {

// The number texts of base/NumberFormat.h with the decimal separator of the user's locale as Windows gives it: UTF-8
// text, which may take more than one byte (the Arabic separator U+066B takes two) or be more than one character.
std::string FormatGeneral(double value, std::string_view decimalSeparator);
std::string FormatFixed(double value, int decimals, std::string_view decimalSeparator);

}  // namespace taktora
