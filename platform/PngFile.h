// Writes a surface as a PNG picture.
#pragma once

#include <string>

class Surface;

// False, with the reason in `error`, when the file cannot be written.
bool WritePng(const Surface& surface, const std::string& path, std::string* error = nullptr);
