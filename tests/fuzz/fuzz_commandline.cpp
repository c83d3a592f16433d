// The command line is whatever the user, a shortcut or another program passes: a profile number, "/startup", or
// anything else. The choice must be one the settings store can use: no wait with a profile, a suffix that starts
// with a dot and names a number.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/StartupRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string arguments(reinterpret_cast<const char*>(data), size);
    const taktora::CommandLineChoice choice = taktora::ParseCommandLine(arguments);
    if (choice.startupWait && !choice.keySuffix.empty()) {
        std::abort();
    }
    if (!choice.keySuffix.empty()) {
        const double profile = taktora::LeadingNumber(arguments);
        if (choice.keySuffix[0] != '.' || !std::isfinite(profile) || profile == 0 ||
            choice.keySuffix.find('\0') != std::string::npos) {
            std::abort();
        }
    }
    return 0;
}
