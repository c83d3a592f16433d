#include "sources/CoreTemp.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace taktora {

namespace {

using platform::SharedMemory;

float FiniteOrZero(float value) {
    return std::isfinite(value) ? value : 0.0f;
}

// Mean over the first `count` entries in single precision, as the record's own float fields are. A count the array
// cannot hold has no mean, and the caller expects a number: 0.
template <typename T>
float MeanOverCores(const T (&entries)[CoreTempSharedData::kMaxCores], std::uint32_t count) {
    if (count == 0 || count > CoreTempSharedData::kMaxCores) {
        return 0.0f;
    }
    float sum = 0.0f;
    for (std::uint32_t i = 0; i < count; ++i) {
        sum += static_cast<float>(entries[i]);
    }
    return FiniteOrZero(sum / static_cast<float>(count));
}

double RoundHalfToEven(double value) {
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0)) {
        return lower + 1.0;
    }
    return lower;
}

}  // namespace

clsCoreTemp::clsCoreTemp(platform::SharedMemory& memory) : memory_(memory) {
    Read();
}

std::optional<double> clsCoreTemp::Query() {
    if (!Read()) {
        return std::nullopt;
    }
    return aCPUload();
}

float clsCoreTemp::aCPUload() const {
    return MeanOverCores(data_.uiLoad, data_.uiCoreCnt);
}

float clsCoreTemp::aTemp() const {
    return MeanOverCores(data_.fTemp, data_.uiCoreCnt);
}

std::uint32_t clsCoreTemp::uiTjMax(std::uint8_t CPUcnt) const {
    return CPUcnt < CoreTempSharedData::kMaxPackages ? data_.uiTjMax[CPUcnt] : 0;
}

std::int32_t clsCoreTemp::fTemp(std::uint8_t CoreCnt) const {
    const float value = data_.fTemp[CoreCnt];
    if (!std::isfinite(value)) {
        return 0;
    }
    const double rounded = RoundHalfToEven(value);
    // 2^31 is the first whole number an int32 does not hold.
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() && rounded < 0x1p31)) {
        return 0;
    }
    return static_cast<std::int32_t>(rounded);
}

float clsCoreTemp::fVID() const {
    return FiniteOrZero(data_.fVID);
}
float clsCoreTemp::fCPUspeed() const {
    return FiniteOrZero(data_.fCPUspeed);
}
float clsCoreTemp::fFSBspeed() const {
    return FiniteOrZero(data_.fFSBspeed);
}
float clsCoreTemp::fMultipier() const {
    return FiniteOrZero(data_.fMultipier);
}

std::string clsCoreTemp::sCPUname() const {
    const char* name = data_.sCPUname;
    const void* end = std::memchr(name, '\0', sizeof data_.sCPUname);
    const std::size_t length = end ? static_cast<const char*>(end) - name : sizeof data_.sCPUname;
    return memory_.DecodeAnsi(std::string(name, length));
}

// Core Temp's protocol: its mutex, then its mapping, the copy, and everything given back in reverse order before the
// copy is taken over. The wait is bounded so that a writer that hangs while holding the mutex cannot stop the
// sampling; an abandoned mutex is owned after the wait like any other. The mutex is only opened: without Core Temp
// there is no mapping to read, and a mutex of our own would guard nothing.
bool clsCoreTemp::Read() {
    const SharedMemory::Handle mutex = memory_.OpenNamedMutex(kCoreTempMutexName);
    if (mutex == 0) {
        return false;
    }
    CoreTempSharedData record;
    bool copied = false;
    const SharedMemory::WaitResult wait = memory_.WaitForMutex(mutex, kMutexWaitMs);
    if (wait == SharedMemory::WaitResult::Acquired || wait == SharedMemory::WaitResult::Abandoned) {
        if (const SharedMemory::Handle mapping = memory_.OpenMapping(kCoreTempMappingName)) {
            // A mapping shorter than the record cannot be viewed at the record's length.
            if (const void* view = memory_.MapView(mapping, sizeof record)) {
                std::memcpy(&record, view, sizeof record);
                copied = true;
                memory_.UnmapView(view);
            }
            memory_.Close(mapping);
        }
        memory_.ReleaseMutex(mutex);
    }
    memory_.Close(mutex);
    if (copied) {
        data_ = record;
    }
    return copied;
}

}  // namespace taktora
