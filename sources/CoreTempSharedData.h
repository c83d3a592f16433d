#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace taktora {

// Core Temp's shared record exactly as the monitor publishes it: 2688 bytes, little-endian, no padding. Its contents
// come from whichever process created the named mapping, so readers treat every field as unchecked input.
struct CoreTempSharedData {
    static constexpr std::size_t kMaxCores = 256;
    static constexpr std::size_t kMaxPackages = 128;
    static constexpr std::size_t kNameBytes = 100;

    std::uint32_t uiLoad[kMaxCores];      // percent per core
    std::uint32_t uiTjMax[kMaxPackages];  // °C per package; entry 0 scales the temperature curve
    std::uint32_t uiCoreCnt;              // valid entries of uiLoad and fTemp
    std::uint32_t uiCPUcnt;
    float fTemp[kMaxCores];  // °C per core
    float fVID;              // volts
    float fCPUspeed;         // MHz
    float fFSBspeed;         // MHz
    float fMultipier;
    char sCPUname[kNameBytes];  // ANSI, ended by the first zero byte if shorter than the field
    std::uint8_t trailer[4];    // copied with the rest, never read
};

// The record is copied byte for byte, so the host must share its number formats.
static_assert(std::endian::native == std::endian::little);
static_assert(sizeof(float) == 4 && std::numeric_limits<float>::is_iec559);
static_assert(sizeof(CoreTempSharedData) == 2688);
static_assert(offsetof(CoreTempSharedData, uiLoad) == 0);
static_assert(offsetof(CoreTempSharedData, uiTjMax) == 1024);
static_assert(offsetof(CoreTempSharedData, uiCoreCnt) == 1536);
static_assert(offsetof(CoreTempSharedData, uiCPUcnt) == 1540);
static_assert(offsetof(CoreTempSharedData, fTemp) == 1544);
static_assert(offsetof(CoreTempSharedData, fVID) == 2568);
static_assert(offsetof(CoreTempSharedData, fCPUspeed) == 2572);
static_assert(offsetof(CoreTempSharedData, fFSBspeed) == 2576);
static_assert(offsetof(CoreTempSharedData, fMultipier) == 2580);
static_assert(offsetof(CoreTempSharedData, sCPUname) == 2584);
static_assert(offsetof(CoreTempSharedData, trailer) == 2684);

// Names of Core Temp's objects: its main window's class and the two kernel objects of the shared record.
inline constexpr char kCoreTempWindowClass[] = "CORETEMP";
inline constexpr char kCoreTempMutexName[] = "CoreTempMutexObject";
inline constexpr char kCoreTempMappingName[] = "CoreTempMappingObject";

}  // namespace taktora
