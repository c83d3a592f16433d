#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/SharedMemory.h"
#include "sources/CoreTempSharedData.h"
#include "sources/LoadSource.h"

namespace taktora {

// Load, temperature and clocks from the shared record of the outside monitor Core Temp, read inside this program.
// Only a successful read replaces the record, so after Core Temp quits the accessors keep the last values it
// published while Query gives no sample.
class clsCoreTemp : public clsLoadSource {
public:
    // Reads the record once; whether that worked is for Init to tell.
    explicit clsCoreTemp(platform::SharedMemory& memory);

    void Initialize() override {}
    // Reads the record; the mean core load on success, none otherwise.
    std::optional<double> Query() override;
    void Terminate() override {}

    // Reads the record; true exactly when the read succeeded.
    bool Init() { return Read(); }

    // The accessors below read no shared memory, only the record of the last successful read. A core count of 0 or
    // above 256, or a temperature that is not finite, makes the affected value 0.
    float Temp() const { return aTemp(); }
    float aCPUload() const;
    float aTemp() const;
    std::uint32_t uiLoad(std::uint8_t CoreCnt) const { return data_.uiLoad[CoreCnt]; }
    // 0 for a package index of 128 and above.
    std::uint32_t uiTjMax(std::uint8_t CPUcnt) const;
    std::uint32_t uiCoreCnt() const { return data_.uiCoreCnt; }
    std::uint32_t uiCPUcnt() const { return data_.uiCPUcnt; }
    // Rounded to the nearest whole degree, halves to even.
    std::int32_t fTemp(std::uint8_t CoreCnt) const;
    float fVID() const;
    float fCPUspeed() const;
    float fFSBspeed() const;
    float fMultipier() const;
    // The name up to its first zero byte, at most 100 characters, as UTF-8.
    std::string sCPUname() const;

    // The longest the reader waits for Core Temp's mutex. The writer holds it only for one copy of the record, so a
    // longer wait means a hung writer, and the sampling tick must not hang with it.
    static constexpr std::uint32_t kMutexWaitMs = 50;

private:
    bool Read();

    platform::SharedMemory& memory_;
    CoreTempSharedData data_{};
};

}  // namespace taktora
