// Writes a whole file so that a failure part way never leaves a truncated file behind: the bytes
// go to a temporary file in the same folder, which then takes the place of the old one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tvk::meshtool {

bool ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);

}  // namespace tvk::meshtool
