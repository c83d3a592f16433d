#pragma once

#include <cstddef>
#include <unordered_set>

#include "platform/IconFactory.h"

namespace taktora::fake {

// Hands out numbered icons and keeps count of those not yet destroyed, so tests can prove that no icon leaks.
class CountingIconFactory final : public platform::IconFactory {
public:
    platform::IconHandle Make(const Image& picture) override;  // 0 for an empty picture or while failMake is set
    void Destroy(platform::IconHandle icon) override;

    std::size_t Live() const { return live_.size(); }
    std::size_t Peak() const { return peak_; }
    std::size_t Made() const { return made_; }
    // Destroy calls for 0, an icon never made or one destroyed already.
    std::size_t BadDestroys() const { return badDestroys_; }
    bool IsLive(platform::IconHandle icon) const { return live_.contains(icon); }

    bool failMake = false;

private:
    std::unordered_set<platform::IconHandle> live_;
    std::size_t made_ = 0;
    std::size_t peak_ = 0;
    std::size_t badDestroys_ = 0;
};

}  // namespace taktora::fake
