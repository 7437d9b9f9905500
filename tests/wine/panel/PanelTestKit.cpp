#include "PanelTestKit.h"

#include "SampleSet.h"

namespace panel_test {

const std::vector<uint8_t>& Sample(const std::string& name) {
    static const auto faces = samples::MakeSampleFaces();
    static const std::vector<uint8_t> none;
    for (const auto& f : faces)
        if (f.name == name)
            return f.bytes;
    return none;
}

}  // namespace panel_test
