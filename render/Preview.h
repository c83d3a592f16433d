#pragma once

#include "platform/Desktop.h"

namespace taktora::render {

// The size of the graph's picture in the taskbar button's preview (the shell's thumbnail): the whole picture, made
// smaller with its proportions kept until it fits the shell's limit, never larger than it is, and at least one pixel
// each way. A picture or limit without an area gives one pixel.
platform::Size PreviewSize(const platform::Size& picture, const platform::Size& limit);

}  // namespace taktora::render
