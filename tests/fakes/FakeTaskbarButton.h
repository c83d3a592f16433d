#pragma once

#include <string>

#include "platform/IconFactory.h"
#include "platform/TaskbarButton.h"
#include "tray/IconSlot.h"

namespace taktora::fake {

// The taskbar button's state in memory; its icon is made and replaced as the Windows button's is.
class FakeTaskbarButton final : public platform::TaskbarButton {
public:
    explicit FakeTaskbarButton(platform::IconFactory& icons) : icon_(icons) {}

    void Show(bool show) override { shown = show; }
    void SetCaption(const std::string& text) override { caption = text; }
    void SetIcon(const Image& picture) override { icon_.Replace(picture); }

    platform::IconHandle Icon() const { return icon_.Current(); }

    bool shown = false;
    std::string caption;

private:
    render::IconSlot icon_;
};

}  // namespace taktora::fake
