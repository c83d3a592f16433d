#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Image.h"
#include "platform/Tray.h"

namespace taktora::render {

// The registration of the tray icon with the shell and the `Form1` member `TrayIconShown`. Every Add and Delete is
// guarded by `TrayIconShown`, so the icon is never added twice or deleted when absent. What the shell refuses is
// not forgotten: the next update sends the icon again, so an icon the shell could not take at logon (or that was
// lost with the notification area) comes back by itself.
class TrayRegistration {
public:
    explicit TrayRegistration(platform::Tray& tray) : tray_(tray) {}

    // True from Show to Hide, whether or not the shell has taken the icon yet.
    bool TrayIconShown() const { return shown_; }

    // Registers the icon unless it is shown already.
    void Show(const Image& picture, const std::string& tip);
    // Removes the icon while it is shown.
    void Hide();
    // Shows the new picture and tooltip while the icon is shown. An update that equals what the shell already shows
    // does not call it; one the shell has not taken yet is sent as a fresh registration.
    void Update(const Image& picture, const std::string& tip);
    // The notification area was created anew ("TaskbarCreated") and has forgotten the icon: registers it again
    // while it is shown.
    void Recreated();

private:
    void Send();

    platform::Tray& tray_;
    bool shown_ = false;
    // The shell has confirmed the icon with exactly picture_ and tip_; every Show starts unconfirmed.
    bool confirmed_{};
    Image picture_;
    std::string tip_;
};

// How many code units of a UTF-16 tooltip fit a field of `capacity` units that ends with a NUL, without splitting a
// surrogate pair.
template <typename Unit>
std::size_t FittingTipLength(std::basic_string_view<Unit> tip, std::size_t capacity) {
    if (capacity == 0) {
        return 0;
    }
    std::size_t length = std::min(tip.size(), capacity - 1);
    if (length < tip.size() && length > 0) {
        const auto last = static_cast<std::uint32_t>(tip[length - 1]);
        if (last >= 0xD800 && last <= 0xDBFF) {
            --length;
        }
    }
    return length;
}

}  // namespace taktora::render
