#include <pdh.h>
#include <pdhmsg.h>
#include <windows.h>
#include <winperf.h>

#include <string_view>
#include <vector>

#include "win32/Text.h"
#include "win32/Win32Sources.h"

namespace taktora::platform::win32 {

// Only the declarations of pdh.h are used; the program does not link against pdh.dll.
struct Win32Pdh::Functions {
    HMODULE module = nullptr;
    decltype(&PdhConnectMachineW) connectMachine = nullptr;
    decltype(&PdhEnumObjectsW) enumObjects = nullptr;
    decltype(&PdhEnumObjectItemsW) enumObjectItems = nullptr;
    decltype(&PdhOpenQueryW) openQuery = nullptr;
    decltype(&PdhAddCounterW) addCounter = nullptr;
    decltype(&PdhAddEnglishCounterW) addEnglishCounter = nullptr;
    decltype(&PdhCollectQueryData) collectQueryData = nullptr;
    decltype(&PdhGetFormattedCounterValue) getFormattedCounterValue = nullptr;
    decltype(&PdhRemoveCounter) removeCounter = nullptr;
    decltype(&PdhCloseQuery) closeQuery = nullptr;
};

namespace {

constexpr DWORD kDetailLevel = PERF_DETAIL_WIZARD;

// Only from the system directory, never from the program's folder or the current directory.
HMODULE LoadPdh() {
    if (HMODULE module = LoadLibraryExW(L"pdh.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        return module;
    }
    // Windows without the search flags (before Windows 8, or Windows 7 without update KB2533623) refuses them.
    if (GetLastError() != ERROR_INVALID_PARAMETER) {
        return nullptr;
    }
    wchar_t directory[MAX_PATH];
    const UINT length = GetSystemDirectoryW(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    return LoadLibraryW((std::wstring(directory, length) + L"\\pdh.dll").c_str());
}

template <typename Function>
void Find(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

bool Enumerated(PDH_STATUS status) {
    return status == ERROR_SUCCESS || status == static_cast<PDH_STATUS>(PDH_MORE_DATA);
}

// PDH takes a null machine name for the local machine.
class MachineName {
public:
    explicit MachineName(const std::string& machine) : wide_(Utf8ToWide(machine)) {}
    LPCWSTR Get() const { return wide_.empty() ? nullptr : wide_.c_str(); }

private:
    std::wstring wide_;
};

std::string MultiString(const std::vector<wchar_t>& buffer) {
    return WideToUtf8(std::wstring_view(buffer.data(), buffer.size()));
}

PDH_HQUERY ToQuery(Pdh::Handle query) {
    return reinterpret_cast<PDH_HQUERY>(query);
}
PDH_HCOUNTER ToCounter(Pdh::Handle counter) {
    return reinterpret_cast<PDH_HCOUNTER>(counter);
}

}  // namespace

Win32Pdh::Win32Pdh() = default;

Win32Pdh::~Win32Pdh() {
    if (functions_ && functions_->module != nullptr) {
        FreeLibrary(functions_->module);
    }
}

const Win32Pdh::Functions& Win32Pdh::Api() {
    if (!functions_) {
        functions_ = std::make_unique<Functions>();
        Functions& f = *functions_;
        f.module = LoadPdh();
        if (f.module != nullptr) {
            Find(f.module, "PdhConnectMachineW", f.connectMachine);
            Find(f.module, "PdhEnumObjectsW", f.enumObjects);
            Find(f.module, "PdhEnumObjectItemsW", f.enumObjectItems);
            Find(f.module, "PdhOpenQueryW", f.openQuery);
            Find(f.module, "PdhAddCounterW", f.addCounter);
            Find(f.module, "PdhAddEnglishCounterW", f.addEnglishCounter);
            Find(f.module, "PdhCollectQueryData", f.collectQueryData);
            Find(f.module, "PdhGetFormattedCounterValue", f.getFormattedCounterValue);
            Find(f.module, "PdhRemoveCounter", f.removeCounter);
            Find(f.module, "PdhCloseQuery", f.closeQuery);
        }
    }
    return *functions_;
}

PdhStatus Win32Pdh::ConnectMachine(const std::string& machine) {
    const auto connect = Api().connectMachine;
    if (connect == nullptr) {
        return kPdhFunctionMissing;
    }
    return connect(MachineName(machine).Get());
}

PdhStatus Win32Pdh::EnumObjectsLength(const std::string& machine, bool refresh, std::uint32_t& length) {
    const auto enumObjects = Api().enumObjects;
    if (enumObjects == nullptr) {
        return kPdhFunctionMissing;
    }
    DWORD size = 0;
    const PDH_STATUS status =
        enumObjects(nullptr, MachineName(machine).Get(), nullptr, &size, kDetailLevel, refresh ? TRUE : FALSE);
    if (Enumerated(status)) {
        length = size;
    }
    return status;
}

PdhStatus Win32Pdh::EnumObjects(const std::string& machine, bool refresh, std::uint32_t length, std::string& objects) {
    const auto enumObjects = Api().enumObjects;
    if (enumObjects == nullptr) {
        return kPdhFunctionMissing;
    }
    std::vector<wchar_t> buffer(length, L'\0');
    DWORD size = length;
    const PDH_STATUS status =
        enumObjects(nullptr, MachineName(machine).Get(), buffer.data(), &size, kDetailLevel, refresh ? TRUE : FALSE);
    if (Enumerated(status)) {
        objects = MultiString(buffer);
    }
    return status;
}

PdhStatus Win32Pdh::EnumObjectItemsLength(const std::string& machine, const std::string& object,
                                          std::uint32_t& counterLength, std::uint32_t& instanceLength) {
    const auto enumObjectItems = Api().enumObjectItems;
    if (enumObjectItems == nullptr) {
        return kPdhFunctionMissing;
    }
    DWORD counterSize = 0;
    DWORD instanceSize = 0;
    const PDH_STATUS status = enumObjectItems(nullptr, MachineName(machine).Get(), Utf8ToWide(object).c_str(), nullptr,
                                              &counterSize, nullptr, &instanceSize, kDetailLevel, 0);
    if (Enumerated(status)) {
        counterLength = counterSize;
        instanceLength = instanceSize;
    }
    return status;
}

PdhStatus Win32Pdh::EnumObjectItems(const std::string& machine, const std::string& object, std::uint32_t counterLength,
                                    std::uint32_t instanceLength, std::string& counters, std::string& instances) {
    const auto enumObjectItems = Api().enumObjectItems;
    if (enumObjectItems == nullptr) {
        return kPdhFunctionMissing;
    }
    std::vector<wchar_t> counterBuffer(counterLength, L'\0');
    std::vector<wchar_t> instanceBuffer(instanceLength, L'\0');
    DWORD counterSize = counterLength;
    DWORD instanceSize = instanceLength;
    const PDH_STATUS status =
        enumObjectItems(nullptr, MachineName(machine).Get(), Utf8ToWide(object).c_str(), counterBuffer.data(),
                        &counterSize, instanceBuffer.data(), &instanceSize, kDetailLevel, 0);
    if (Enumerated(status)) {
        counters = MultiString(counterBuffer);
        instances = MultiString(instanceBuffer);
    }
    return status;
}

PdhStatus Win32Pdh::OpenQuery(std::uintptr_t userData, Handle& query) {
    const auto openQuery = Api().openQuery;
    if (openQuery == nullptr) {
        return kPdhFunctionMissing;
    }
    PDH_HQUERY opened = nullptr;
    const PDH_STATUS status = openQuery(nullptr, userData, &opened);
    if (status == ERROR_SUCCESS) {
        query = reinterpret_cast<Handle>(opened);
    }
    return status;
}

PdhStatus Win32Pdh::AddCounter(Handle query, const std::string& path, Handle& counter) {
    const auto addCounter = Api().addCounter;
    if (addCounter == nullptr) {
        return kPdhFunctionMissing;
    }
    PDH_HCOUNTER added = nullptr;
    const PDH_STATUS status = addCounter(ToQuery(query), Utf8ToWide(path).c_str(), 0, &added);
    if (status == ERROR_SUCCESS) {
        counter = reinterpret_cast<Handle>(added);
    }
    return status;
}

PdhStatus Win32Pdh::AddEnglishCounter(Handle query, const std::string& path, Handle& counter) {
    const auto addEnglishCounter = Api().addEnglishCounter;
    if (addEnglishCounter == nullptr) {
        return kPdhFunctionMissing;
    }
    PDH_HCOUNTER added = nullptr;
    const PDH_STATUS status = addEnglishCounter(ToQuery(query), Utf8ToWide(path).c_str(), 0, &added);
    if (status == ERROR_SUCCESS) {
        counter = reinterpret_cast<Handle>(added);
    }
    return status;
}

PdhStatus Win32Pdh::CollectQueryData(Handle query) {
    const auto collectQueryData = Api().collectQueryData;
    if (collectQueryData == nullptr) {
        return kPdhFunctionMissing;
    }
    return collectQueryData(ToQuery(query));
}

PdhStatus Win32Pdh::GetDoubleValue(Handle counter, double& value, std::uint32_t& counterStatus) {
    const auto getFormattedCounterValue = Api().getFormattedCounterValue;
    if (getFormattedCounterValue == nullptr) {
        return kPdhFunctionMissing;
    }
    PDH_FMT_COUNTERVALUE formatted{};
    const PDH_STATUS status = getFormattedCounterValue(ToCounter(counter), PDH_FMT_DOUBLE, nullptr, &formatted);
    if (status == ERROR_SUCCESS) {
        value = formatted.doubleValue;
        counterStatus = formatted.CStatus;
    }
    return status;
}

PdhStatus Win32Pdh::RemoveCounter(Handle counter) {
    const auto removeCounter = Api().removeCounter;
    if (removeCounter == nullptr) {
        return kPdhFunctionMissing;
    }
    return removeCounter(ToCounter(counter));
}

PdhStatus Win32Pdh::CloseQuery(Handle query) {
    const auto closeQuery = Api().closeQuery;
    if (closeQuery == nullptr) {
        return kPdhFunctionMissing;
    }
    return closeQuery(ToQuery(query));
}

}  // namespace taktora::platform::win32
