// The sample faces, made once per test program (making them all takes a while).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace panel_test {

const std::vector<uint8_t>& Sample(const std::string& name);

}  // namespace panel_test
