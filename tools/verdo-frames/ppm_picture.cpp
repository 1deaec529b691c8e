#include "ppm_picture.h"

#include <cstdio>

#include "read_file.h"

namespace {

bool IsPpmSpace(uint8_t c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Skips whitespace and comments ('#' to the end of the line) before a header field.
void SkipSpaceAndComments(const uint8_t* data, size_t size, size_t& at)
{
    while (at < size) {
        if (IsPpmSpace(data[at])) {
            ++at;
        } else if (data[at] == '#') {
            while (at < size && data[at] != '\n' && data[at] != '\r') ++at;
        } else {
            return;
        }
    }
}

// A decimal header field of at most `limit`.
bool ReadHeaderNumber(const uint8_t* data, size_t size, size_t& at, int32_t limit, int32_t& value)
{
    SkipSpaceAndComments(data, size, at);
    if (at >= size || data[at] < '0' || data[at] > '9') return false;
    int64_t number = 0;
    while (at < size && data[at] >= '0' && data[at] <= '9') {
        number = number * 10 + (data[at] - '0');
        if (number > limit) return false;
        ++at;
    }
    value = static_cast<int32_t>(number);
    return true;
}

}  // namespace

bool ParsePpm(const uint8_t* data, size_t size, RgbPicture& picture, std::string& error)
{
    if (size < 2 || data[0] != 'P' || data[1] != '6') {
        error = "not a binary PPM (P6) picture";
        return false;
    }
    size_t at = 2;
    int32_t width = 0;
    int32_t height = 0;
    int32_t maxval = 0;
    if (!ReadHeaderNumber(data, size, at, MaxPictureSide, width) ||
        !ReadHeaderNumber(data, size, at, MaxPictureSide, height) || width == 0 || height == 0) {
        error = "PPM picture has a bad width or height";
        return false;
    }
    if (!ReadHeaderNumber(data, size, at, 65535, maxval) || maxval != 255) {
        error = "PPM picture is not 8 bits per channel (maxval 255)";
        return false;
    }
    if (at >= size || !IsPpmSpace(data[at])) {
        error = "PPM header does not end in whitespace";
        return false;
    }
    ++at;
    const size_t expected = static_cast<size_t>(width) * static_cast<size_t>(height) * 3;
    if (size - at != expected) {
        error = size - at < expected ? "PPM pixel data is cut short" : "PPM picture has data after its pixels";
        return false;
    }
    picture.width = width;
    picture.height = height;
    picture.rgb.assign(data + at, data + size);
    return true;
}

bool ReadPpmFile(const std::string& path, RgbPicture& picture, std::string& error)
{
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) {
        error = "cannot read " + path;
        return false;
    }
    if (!ParsePpm(bytes.data(), bytes.size(), picture, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

bool WritePpmFile(const std::string& path, const RgbPicture& picture)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fprintf(file, "P6\n%d %d\n255\n", picture.width, picture.height) > 0 &&
                         std::fwrite(picture.rgb.data(), 1, picture.rgb.size(), file) == picture.rgb.size();
    return std::fclose(file) == 0 && written;
}
