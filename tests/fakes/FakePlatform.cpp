#include "tests/fakes/FakePlatform.h"

#include <algorithm>
#include <cctype>

namespace taktora::fake {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

}  // namespace

FakeRegistry::Key FakeRegistry::MakeKey(platform::RegRoot root, const std::string& subkey, const std::string& name) {
    return {root, Lower(subkey), Lower(name)};
}

std::optional<platform::RegData> FakeRegistry::Read(platform::RegRoot root, const std::string& subkey,
                                                    const std::string& name, std::size_t maxChars) {
    const auto it = values_.find(MakeKey(root, subkey, name));
    if (it == values_.end() || it->second.text.size() > maxChars) {
        return std::nullopt;
    }
    return it->second;
}

bool FakeRegistry::WriteString(platform::RegRoot root, const std::string& subkey, const std::string& name,
                               const std::string& text) {
    ++writes;
    // Stored with its terminating zero, as the real registry writer does.
    values_[MakeKey(root, subkey, name)] = {platform::RegType::String, text + '\0'};
    return true;
}

bool FakeRegistry::DeleteValue(platform::RegRoot root, const std::string& subkey, const std::string& name) {
    ++deletes;
    return values_.erase(MakeKey(root, subkey, name)) != 0;
}

void FakeRegistry::Put(platform::RegRoot root, const std::string& subkey, const std::string& name,
                       platform::RegData data) {
    values_[MakeKey(root, subkey, name)] = std::move(data);
}

std::optional<std::string> FakeRegistry::Get(platform::RegRoot root, const std::string& subkey,
                                             const std::string& name) const {
    const auto it = values_.find(MakeKey(root, subkey, name));
    if (it == values_.end()) {
        return std::nullopt;
    }
    const std::string& text = it->second.text;
    return text.substr(0, text.find('\0'));
}

std::set<std::string> FakeRegistry::ValueNames(platform::RegRoot root, const std::string& subkey) const {
    std::set<std::string> names;
    const std::string key = Lower(subkey);
    for (const auto& [k, data] : values_) {
        if (std::get<0>(k) == root && std::get<1>(k) == key) {
            names.insert(std::get<2>(k));
        }
    }
    return names;
}

std::string FakeSystem::Environment(const std::string& name) {
    const auto it = environment.find(name);
    return it == environment.end() ? "" : it->second;
}

std::optional<std::uint64_t> FakeSystem::TickCount64() {
    if (!hasTickCount64) {
        return std::nullopt;
    }
    return tickCount;
}

std::optional<platform::FileEntry> FakeFileSystem::FindFirst(const std::string& pattern) {
    const auto it = files.find(Lower(pattern));
    if (it == files.end()) {
        return std::nullopt;
    }
    return it->second;
}

bool FakeFileSystem::Delete(const std::string& path) {
    deleted.push_back(path);
    return files.erase(Lower(path)) != 0;
}

void FakeFileSystem::Add(const std::string& path, std::uint64_t size, std::uint32_t attributes,
                         platform::LocalSeconds lastWrite) {
    files[Lower(path)] = {path.substr(path.find_last_of('\\') + 1), size, attributes, lastWrite};
}

std::optional<platform::Rect> FakeProcesses::GetWindowRect(platform::WindowHandle window) {
    const auto it = rects.find(window);
    if (it == rects.end()) {
        return std::nullopt;
    }
    return it->second;
}

void FakeProcesses::SetWindowPos(platform::WindowHandle window, const platform::Rect& rect, unsigned flags) {
    constexpr unsigned kNoZOrder = 0x04;
    constexpr unsigned kNoActivate = 0x10;
    constexpr unsigned kHideWindow = 0x80;
    positions.push_back({window, rect, flags});
    rects[window] = rect;
    if ((flags & kNoZOrder) == 0) {
        std::erase(zOrder, window);
        zOrder.insert(zOrder.begin(), window);
    }
    if ((flags & (kNoActivate | kHideWindow)) == 0) {
        active = window;
    }
}

platform::Colour FakeDesktop::SystemColour(int index) {
    // Distinct colours per index so tests can tell which system colour was used.
    return {static_cast<std::uint8_t>(index), static_cast<std::uint8_t>(100 + index), 7};
}

void FakeMainWindow::SetRect(const platform::Rect& r) {
    rect = r;
    moves.push_back(r);
}

void FakeMainWindow::SetTopMost(bool on) {
    topMost = on;
    topMostCalls.push_back(on);
}

void FakeMainWindow::Present(const Image& image) {
    picture = image;
    ++presents;
}

}  // namespace taktora::fake
