#pragma once

#include <string>
#include <string_view>

namespace taktora {

// The decimal separator is the user locale's as Windows gives it: UTF-8 text, which may take more than one byte (the
// Arabic separator U+066B takes two) or be more than one character.

// The general number-to-text conversion: up to seven significant digits, the given decimal separator, no thousands
// separator ("12,5" for 12.5 with ",", "37" for 37).
std::string FormatGeneral(double value, std::string_view decimalSeparator);

// A fixed number of decimals with at least one integer digit and no padding, rounding halves away from zero: the
// patterns "##0" (0 decimals), "#0.0" (1) and "###0.00" (2). A value that is not a number shows as 0.
std::string FormatFixed(double value, int decimals, std::string_view decimalSeparator);

// printf into a string of the length the text needs.
[[gnu::format(printf, 1, 2)]] std::string Printf(const char* format, ...);

}  // namespace taktora
