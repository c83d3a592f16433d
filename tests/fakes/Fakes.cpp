#include "tests/fakes/Fakes.h"

#include <cstring>

namespace taktora::fake {

std::string Text(const Rect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.width) + "x" +
           std::to_string(r.height);
}

std::string Join(const Calls& calls) {
    std::string text;
    for (const std::string& call : calls) {
        text += (text.empty() ? "" : "; ") + call;
    }
    return text;
}

void TextPainter::Draw(Image& image, const platform::Font& font, int x, int y, platform::Colour c,
                       const std::string& text) {
    calls.push_back(font.face + " " + std::to_string(font.points) + (font.bold ? " bold " : " ") + std::to_string(x) +
                    "," + std::to_string(y) + " " + std::to_string(c.r) + "." + std::to_string(c.g) + "." +
                    std::to_string(c.b) + " " + text);
    for (int row = y; row < y + lineHeight; ++row) {
        image.Line(x - 3, row, x + MeasureWidth(font, text) + 2, row, ToPixel(c));
    }
}

void SharedMemory::Publish(const CoreTempSharedData& data) {
    mutex = 1;
    mapping = 2;
    bytes.resize(sizeof data);
    std::memcpy(bytes.data(), &data, sizeof data);
}

CoreTempSharedData TwoCores() {
    CoreTempSharedData record{};
    record.uiCoreCnt = 2;
    record.uiLoad[0] = 30;
    record.uiLoad[1] = 51;
    record.fTemp[0] = 40.0f;
    record.fTemp[1] = 43.0f;
    record.uiTjMax[0] = 100;
    record.fCPUspeed = 2400.0f;
    record.fFSBspeed = 200.0f;
    record.fMultipier = 12.0f;
    return record;
}

std::string Pdh::Names(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) {
        list += name + '\0';
    }
    return list + '\0';
}

PdhStatus Pdh::Add(const std::string& path, Handle& counter) {
    calls.push_back("Add " + path);
    if (!paths.contains(path)) {
        return static_cast<PdhStatus>(0xC0000BB9u);  // PDH_CSTATUS_NO_COUNTER
    }
    added.push_back(path);
    counter = 100 + added.size();
    return platform::kPdhSuccess;
}

platform::DynStats::Key DynStats::Open(const std::string& subkey, std::uint32_t access) {
    calls.push_back("Open " + subkey + " " + std::to_string(access));
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].first == subkey) {
            return i + 1;
        }
    }
    return 0;
}

int MainWindow::ShowPopupMenu(const std::vector<platform::MenuEntry>& entries) {
    shownMenu = entries;
    std::string menu = "Menu";
    for (const platform::MenuEntry& entry : entries) {
        if (entry.visible && entry.enabled) {
            menu += ' ';
            menu += std::to_string(entry.index);
        }
    }
    calls.push_back(menu);
    return menuChoice;
}

}  // namespace taktora::fake
