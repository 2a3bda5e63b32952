// Binary PPM (P6) pictures: how images travel to and from winhelper.exe.
#pragma once

#include <string>

#include "xdriver.h"

namespace e2e {

// Both throw std::runtime_error on failure.
void WritePpm(const std::string& path, const Image& image);
Image ReadPpm(const std::string& path);

}  // namespace e2e
