#pragma once

#include <string>

namespace taktora {

// The section of the settings key, which also names the Run value and a profile's running copy.
inline constexpr const char* kSettingsSection = "Taktora";

struct CommandLineChoice {
    bool startupWait{};     // "/startup": started by the Run entry at logon
    std::string keySuffix;  // "" or "." and the profile number
};

// "/startup" anywhere (any case) wins; otherwise a leading non-zero number selects a settings profile.
CommandLineChoice ParseCommandLine(const std::string& arguments);

// The name of one settings profile's running copy in the session, "Taktora" or "Taktora.2": the settings section
// and the profile's key suffix.
std::string InstanceName(const std::string& keySuffix);

// The number at the start of the text, read the way the classic Val function reads it: blanks and tabs are skipped
// anywhere, reading stops at the first character that cannot continue the number, no number gives 0.
double LeadingNumber(const std::string& text);

// "4.21", "4.21a", "4.21 Beta 3", ... from the version resource's major, minor and revision numbers.
std::string ProgramVersionText(int major, int minor, int revision);

// WINDIR (trimmed, with a trailing backslash) + "System32\" on the NT family (OS = "Windows_NT"), else "System\".
std::string SystemDirectory(const std::string& windir, const std::string& os);

// The folder part of a path, always ending in a backslash.
std::string FolderOf(const std::string& path);
// The file name of a path without its extension.
std::string BaseNameOf(const std::string& path);

// 0 unknown, 1 Intel x86 (and the whole 9x family), 2 x64 (AMD64), 3 Itanium.
int ArchitectureValue(int platformId, int nativeArchitecture);

enum class LoadSourceKind { None, KernelCounters, Pdh, Win9xStatistics, CoreTemp };
LoadSourceKind ChooseLoadSource(int platformId, int architectureValue, int major, int minor);

// The rate box text for a refresh interval: one decimal, always with a dot ("1.0", "0.5", "2.5").
std::string RateBoxText(int intervalMs);

}  // namespace taktora
