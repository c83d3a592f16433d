// The stored settings are anyone's to edit: any bytes as the text of any value the program keeps, through loading,
// the settings dialog's boxes and saving. Every value saved must be one that the next start reads back unchanged.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "app/Form1.h"
#include "tests/fakes/Fakes.h"

namespace {

using taktora::fake::Machine;

// A start, OK in the settings dialog and a close; the values the close saved.
std::map<std::string, std::string> StartAndClose(Machine& machine) {
    taktora::Form1 form{machine.platform, machine.window};
    form.Load();
    form.ShowAfterLoad();
    form.Settings().OnOk();
    form.Unload();
    std::map<std::string, std::string> saved;
    for (std::size_t i = 0; i < taktora::kSavedSettingCount; ++i) {
        const std::string name(taktora::kSettings[i].name);
        saved[name] = machine.Stored(name);
    }
    return saved;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const taktora::SettingRow& setting = taktora::kSettings[data[0] % taktora::kSettings.size()];
    Machine first;
    first.Store(std::string(setting.name), std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    const auto saved = StartAndClose(first);
    Machine second;
    second.registry.values = first.registry.values;
    if (StartAndClose(second) != saved) {
        std::abort();  // a saved value that the next start did not take as it was
    }
    return 0;
}
