#pragma once

#include <string>

#include "platform/IconFactory.h"
#include "platform/TaskbarButton.h"
#include "render/IconSlot.h"

namespace taktora::platform {

// The taskbar button's state in memory; its icon is made and replaced as the Windows button's is.
class FakeTaskbarButton final : public TaskbarButton {
public:
    explicit FakeTaskbarButton(IconFactory& icons) : icon_(icons) {}

    void Show(bool show) override { shown = show; }
    void SetCaption(const std::string& text) override { caption = text; }
    void SetIcon(const render::Image& picture) override { icon_.Replace(picture); }

    IconHandle Icon() const { return icon_.Current(); }

    bool shown = false;
    std::string caption;

private:
    render::IconSlot icon_;
};

}  // namespace taktora::platform
