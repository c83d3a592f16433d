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
    virtual void SetIcon(const Image& picture) = 0;
};

}  // namespace taktora::platform
