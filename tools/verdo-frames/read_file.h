// Whole files as bytes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// False when the file cannot be opened or read to its end.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);
