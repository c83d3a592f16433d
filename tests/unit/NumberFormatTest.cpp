#include "base/NumberFormat.h"

#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace taktora {
namespace {

TEST(NumberFormat, GeneralUsesUpToSevenDigitsAndTheLocaleSeparator) {
    struct Case {
        double value;
        char separator;
        const char* expected;
    };
    const Case cases[] = {
        {12.5, ',', "12,5"},
        {37, ',', "37"},
        {100, ',', "100"},
        {0, ',', "0"},
        {-0.0, ',', "0"},
        {12.5, '.', "12.5"},
        {static_cast<double>(12.3f), ',', "12,3"},  // the float's binary tail stays hidden
        {static_cast<double>(0.1f), ',', "0,1"},
        {100.0 / 3.0, ',', "33,33333"},
        {1234567.8, ',', "1234568"},  // no thousands separator
        {12345678, ',', "1,234568E+07"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatGeneral(c.value, c.separator), c.expected) << c.value;
    }
}

TEST(NumberFormat, FixedRoundsHalvesAwayFromZero) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double value;
        int decimals;
        char separator;
        const char* expected;
    };
    const Case cases[] = {
        {45.5, 0, ',', "46"},
        {44.5, 0, ',', "45"},  // not to even
        {0.4, 0, ',', "0"},
        {0.5, 0, ',', "1"},
        {2394.125, 0, ',', "2394"},
        {2394.125, 2, ',', "2394,13"},
        {133, 2, ',', "133,00"},
        {18, 1, ',', "18,0"},
        {9.96, 1, '.', "10.0"},
        {999.995, 2, ',', "1000,00"},
        {2.675, 2, ',', "2,68"},  // as written, though the double holds 2.67499...
        {0.05, 1, ',', "0,1"},
        {0.004, 2, '.', "0.00"},
        {0.005, 2, '.', "0.01"},
        {0, 2, ',', "0,00"},
        {-2.5, 0, ',', "-3"},
        {-0.001, 2, ',', "0,00"},
        {1e20, 0, ',', "100000000000000000000"},
        {nan, 1, ',', "0,0"},
        {7.25, -3, ',', "7"},  // a nonsense decimal count means none
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatFixed(c.value, c.decimals, c.separator), c.expected) << c.value << " " << c.decimals;
    }
}

}  // namespace
}  // namespace taktora
