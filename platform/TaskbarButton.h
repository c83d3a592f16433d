#pragma once

#include <string>

#include "platform/Image.h"

namespace taktora::platform {

// The program's taskbar button, which carries the load as its caption and icon.
class TaskbarButton {
public:
    virtual ~TaskbarButton() = default;
    virtual void Show(bool show) = 0;
    virtual void SetCaption(const std::string& caption) = 0;  // UTF-8
    // The button shows the big icon, or the small one where the taskbar has small buttons.
    virtual void SetIcon(const Image& small, const Image& big) = 0;
};

}  // namespace taktora::platform
