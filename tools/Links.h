#pragma once

#include <string>

namespace taktora {

// The maker's home page and the temperature monitor's, shown in the settings dialog. The maker's mail address is
// the "Comments" field of the program's version information.
constexpr const char* kHomePage = "www.brisko-software.de";
constexpr const char* kCoreTempHomePage = "www.alcpu.com";

// The address a click on the link label opens: a mail to the maker when the label shows the mail address (it holds
// an "@"), otherwise the web address, with "http://" put in front when it has no scheme.
std::string LinkAddress(const std::string& caption, const std::string& makerMail, const std::string& section,
                        const std::string& version);
// A web address with "http://" put in front when it has no scheme.
std::string WebAddress(const std::string& caption);

}  // namespace taktora
