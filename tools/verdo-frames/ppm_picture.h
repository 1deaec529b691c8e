// Binary PPM (P6, 8 bits per channel) pictures read from and written to files.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Red, green, blue bytes per pixel, rows top to bottom without padding.
struct RgbPicture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgb;
};

// The largest width or height accepted: a surface of 16384 x 16384 at 32 bits
// already takes a gigabyte, and each written pass a copy of three quarters.
const int32_t MaxPictureSide = 16384;

// Parses a whole P6 file of maxval 255. Comments and any whitespace are allowed
// between header fields; one whitespace byte ends the header; the pixel data
// must fill the rest of the file exactly. On failure `error` says why.
bool ParsePpm(const uint8_t* data, size_t size, RgbPicture& picture, std::string& error);

bool ReadPpmFile(const std::string& path, RgbPicture& picture, std::string& error);

bool WritePpmFile(const std::string& path, const RgbPicture& picture);
