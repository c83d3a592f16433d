#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Types.h"

namespace taktora::platform {

struct OsVersion {
    int platformId = 2;  // 2 = NT family, 1 = Windows 9x family
    int major{};
    int minor{};
};

struct ProgramVersion {
    int major{};
    int minor{};
    int revision{};
    std::string comments;  // the "Comments" field of the version resource
};

// Process and operating-system facts and the few process-wide operations start-up needs.
class System {
public:
    virtual ~System() = default;
    virtual std::string Environment(const std::string& name) = 0;  // "" when unset
    virtual std::string ModulePath() = 0;                          // full path of the running program
    virtual std::string CommandLineArguments() = 0;                // the argument text without the program name
    virtual void Sleep(int milliseconds) = 0;
    virtual void RaiseThreadPriority() = 0;   // THREAD_PRIORITY_HIGHEST
    virtual void RaiseProcessPriority() = 0;  // HIGH_PRIORITY_CLASS
    virtual OsVersion Version() = 0;
    virtual int NativeProcessorArchitecture() = 0;  // wProcessorArchitecture of the native system information
    virtual std::uint32_t TickCount() = 0;
    virtual std::optional<std::uint64_t> TickCount64() = 0;  // nullopt where Windows lacks GetTickCount64
    virtual LocalSeconds Now() = 0;
    virtual ProgramVersion Program() = 0;
    virtual bool TopLevelWindowOfClassExists(const std::string& className) = 0;
    virtual std::string DecimalSeparator() = 0;  // of the user's locale, UTF-8; "." when it cannot be read
};

}  // namespace taktora::platform
