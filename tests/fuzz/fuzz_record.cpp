// The temperature monitor's shared record is another program's memory, of any version, possibly half-written: any
// 0 to 4096 bytes as the mapping, through the reader and into the graph, its tooltip and its information lines.
#include <cstdint>
#include <cstring>
#include <vector>

#include "base/LoadHistory.h"
#include "render/LoadGraph.h"
#include "sources/CoreTemp.h"

namespace {

using taktora::platform::SharedMemory;

class FuzzedMapping : public SharedMemory {
public:
    FuzzedMapping(const std::uint8_t* data, std::size_t size) : bytes_(data, data + size) {}
    Handle OpenNamedMutex(const std::string&) override { return 1; }
    WaitResult WaitForMutex(Handle, std::uint32_t) override { return WaitResult::Acquired; }
    bool ReleaseMutex(Handle) override { return true; }
    Handle OpenMapping(const std::string&) override { return 2; }
    // Exactly as long as asked, so that a read past the view is a sanitizer report.
    const void* MapView(Handle, std::size_t bytes) override {
        if (bytes > bytes_.size()) {
            return nullptr;
        }
        view_.assign(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(bytes));
        return view_.data();
    }
    void UnmapView(const void*) override {}
    void Close(Handle) override {}
    std::string DecodeAnsi(const std::string& bytes) override { return bytes; }

private:
    std::vector<std::uint8_t> bytes_;
    std::vector<std::uint8_t> view_;
};

class NoText : public taktora::platform::TextPainter {
public:
    int MeasureWidth(const taktora::platform::Font&, const std::string& text) override {
        return 5 * static_cast<int>(text.size());
    }
    int LineHeight(const taktora::platform::Font&) override { return 8; }
    void Draw(taktora::Image&, const taktora::platform::Font&, int, int, taktora::platform::Colour,
              const std::string&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) {
        return 0;
    }
    FuzzedMapping memory(data, size);
    taktora::clsCoreTemp reader(memory);
    if (!reader.Init()) {
        return 0;
    }
    taktora::LoadHistory history;
    NoText text;
    taktora::Image image(64, 32);
    taktora::render::LoadGraphInput in{history, 60, 28, static_cast<float>(reader.Query())};
    in.ShowTemp = in.ShowSpeed = in.ShowCurve = true;
    in.Temp = reader.Temp();
    in.TjMax = reader.uiTjMax(0);
    in.fCPUspeed = reader.fCPUspeed();
    in.fFSBspeed = reader.fFSBspeed();
    in.fMultipier = reader.fMultipier();
    for (int core = 0; core <= 255; ++core) {
        (void)reader.uiLoad(static_cast<std::uint8_t>(core));
        (void)reader.fTemp(static_cast<std::uint8_t>(core));
    }
    (void)reader.sCPUname();
    for (int update = 0; update < 3; ++update) {
        history.Record(in.PeriodLoad, in.Temp, in.w);
        (void)taktora::render::DrawLoadGraph(image, text, in);
    }
    return 0;
}
