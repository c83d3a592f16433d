#pragma once

#include <string>
#include <vector>

#include "platform/IconFactory.h"
#include "platform/Image.h"
#include "platform/Tray.h"
#include "tray/IconSlot.h"

namespace taktora::fake {

// A tray over an in-memory shell that behaves like the real one: Add fails while the icon is there, Modify while it
// is not, and nothing works while the shell is down. Icons are made and replaced as the Windows tray makes them.
class FakeTray final : public platform::Tray {
public:
    enum class Op { Add, Modify, Delete };
    struct Call {
        Op op;
        Image picture;
        std::string tip;
    };

    explicit FakeTray(platform::IconFactory& icons) : icon_(icons) {}

    bool Add(const Image& picture, const std::string& tip) override;
    bool Modify(const Image& picture, const std::string& tip) override;
    void Delete() override;

    // The notification area is created anew and has forgotten every icon.
    void RecreateShell() { iconInShell = false; }
    platform::IconHandle Icon() const { return icon_.Current(); }

    bool shellRunning = true;
    // Add takes the icon but reports failure, as a shell that is too busy to answer in time does.
    bool addTimesOut = false;
    // What the shell holds.
    bool iconInShell = false;
    std::string shellTip;

    std::vector<Call> calls;

private:
    render::IconSlot icon_;
};

}  // namespace taktora::fake
