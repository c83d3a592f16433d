#pragma once

#include <vector>

#include "platform/IconFactory.h"
#include "platform/Image.h"

namespace taktora::render {

// Hands out one icon for equal pictures: the tray icon and the taskbar button's small icon show the same picture,
// and its icon is made once for both. Every Make is matched by a Destroy; the icon goes with the last of them.
class SharedIconFactory final : public platform::IconFactory {
public:
    explicit SharedIconFactory(platform::IconFactory& maker) : maker_(maker) {}

    platform::IconHandle Make(const Image& picture) override;
    void Destroy(platform::IconHandle icon) override;

private:
    struct Shared {
        Image picture;
        platform::IconHandle icon;
        int users;
    };

    platform::IconFactory& maker_;
    std::vector<Shared> icons_;  // the live icons, two or three
};

}  // namespace taktora::render
