// The temperature monitor's shared record is another program's memory, of any version, possibly half-written: any
// 0 to 4096 bytes as the mapping, through the reader and into the graph, its tooltip and its information lines.
#include <cstdint>

#include "render/LoadGraph.h"
#include "sources/CoreTemp.h"
#include "tests/fakes/Fakes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) {
        return 0;
    }
    taktora::fake::SharedMemory memory;
    memory.mutex = 1;
    memory.mapping = 2;
    memory.bytes.assign(data, data + size);
    memory.bytes.shrink_to_fit();  // so that a read past the mapping is a sanitizer report
    taktora::clsCoreTemp reader(memory);
    if (!reader.Init()) {
        return 0;
    }
    taktora::LoadHistory history;
    taktora::fake::TextPainter text;
    taktora::Image image(64, 32);
    taktora::render::LoadGraphInput in{history, 60, 28, static_cast<float>(reader.Query().value_or(0))};
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
