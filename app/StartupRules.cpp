#include "app/StartupRules.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string_view>

#include "base/NumberFormat.h"

namespace taktora {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Shortest decimal text of a number, with a dot and without blanks.
std::string NumberText(double value) {
    return Printf("%.15g", value);
}

}  // namespace

double LeadingNumber(const std::string& text) {
    // The characters a number may hold, blanks left out; strtod reads as much of them as makes a number.
    std::string number;
    for (const char c : text) {
        if (c == ' ' || c == '\t') {
            continue;
        }
        if (!std::isdigit(static_cast<unsigned char>(c)) &&
            std::string_view("+-.eE").find(c) == std::string_view::npos) {
            break;
        }
        number += c;
    }
    const double value = std::strtod(number.c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

CommandLineChoice ParseCommandLine(const std::string& arguments) {
    CommandLineChoice choice;
    if (Lower(arguments).find("/startup") != std::string::npos) {
        choice.startupWait = true;
        return choice;
    }
    const double profile = LeadingNumber(arguments);
    if (profile != 0) {
        choice.keySuffix = '.';
        choice.keySuffix += NumberText(profile);
    }
    return choice;
}

std::string InstanceName(const std::string& keySuffix) {
    return kSettingsSection + keySuffix;
}

std::string ProgramVersionText(int major, int minor, int revision) {
    std::string text = Printf("%d.%02d", major, minor);
    const auto numbered = [&](std::string_view name, int base) {
        text += name;
        if (revision - base > 0) {
            text += ' ';
            text += std::to_string(revision - base);
        }
    };
    if (revision >= 1 && revision <= 26) {
        text += static_cast<char>('a' + revision - 1);
    } else if (revision >= 1000 && revision <= 1999) {
        numbered(" Alpha", 1000);
    } else if (revision >= 100 && revision <= 199) {
        numbered(" Beta", 100);
    } else if (revision >= 2000 && revision <= 2999) {
        numbered(" Beta", 2000);
    } else if (revision == 255 || revision == 9999) {
        text += "ß";
    }
    return text;
}

std::string SystemDirectory(const std::string& windir, const std::string& os) {
    std::string folder = Trim(windir);
    if (folder.empty() || folder.back() != '\\') {
        folder += '\\';
    }
    std::string family = Trim(os);
    std::transform(family.begin(), family.end(), family.begin(), [](unsigned char c) { return std::toupper(c); });
    return folder + (family == "WINDOWS_NT" ? "System32\\" : "System\\");
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('\\');
    std::string folder = slash == std::string::npos ? "" : path.substr(0, slash);
    if (folder.empty() || folder.back() != '\\') {
        folder += '\\';
    }
    return folder;
}

std::string BaseNameOf(const std::string& path) {
    const auto slash = path.find_last_of('\\');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

int ArchitectureValue(int platformId, int nativeArchitecture) {
    constexpr int kIntel = 0;
    constexpr int kItanium = 6;
    constexpr int kAmd64 = 9;
    if (platformId != 2) {
        return platformId == 1 ? 1 : 0;
    }
    switch (nativeArchitecture) {
        case kIntel:
            return 1;
        case kAmd64:
            return 2;
        case kItanium:
            return 3;
        default:
            return 0;
    }
}

LoadSourceKind ChooseLoadSource(int platformId, int architectureValue, int major, int minor) {
    if (platformId != 2) {
        return LoadSourceKind::Win9xStatistics;
    }
    const double version = major + minor / 10.0;
    if (architectureValue == 2 && version >= 6) {
        return LoadSourceKind::Pdh;
    }
    return LoadSourceKind::KernelCounters;
}

std::string RateBoxText(int intervalMs) {
    // "0.0" of the interval in seconds (halves away from zero), then its first character, a dot and its last.
    const long tenths = std::lround(intervalMs / 100.0);
    const std::string formatted = std::to_string(tenths / 10) + "," + std::to_string(tenths % 10);
    return std::string(1, formatted.front()) + "." + formatted.back();
}

}  // namespace taktora
