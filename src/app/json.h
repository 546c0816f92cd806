// Small helpers for the JSON the tools of a scripted run write.
#pragma once

#include <string>

namespace varnholt {

// The text as a JSON string, quotes included; UTF-8 passes through.
std::string jsonString(const std::string& text);

}  // namespace varnholt
