#include "tools/Links.h"

#include <algorithm>
#include <cctype>

namespace taktora {

std::string LinkAddress(const std::string& caption, const std::string& makerMail, const std::string& section,
                        const std::string& version) {
    if (caption.find('@') != std::string::npos) {
        return "mailto:" + makerMail + "?subject=Brisko " + section + "  v" + version + "&body=";
    }
    return WebAddress(caption);
}

std::string WebAddress(const std::string& caption) {
    std::string lower = caption;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower.find("://") == std::string::npos ? "http://" + caption : caption;
}

}  // namespace taktora
