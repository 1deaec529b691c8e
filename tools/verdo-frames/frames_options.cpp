#include "frames_options.h"

#include <cstring>

#include "ppm_picture.h"
#include "printable_text.h"

namespace {

// A plain decimal number of at most `limit`: no sign, no spaces, no suffix.
bool ParseDecimal(const char* text, uint64_t limit, uint64_t& value)
{
    if (*text == '\0') return false;
    uint64_t number = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c < '0' || *c > '9') return false;
        number = number * 10 + static_cast<uint64_t>(*c - '0');
        if (number > limit) return false;
    }
    value = number;
    return true;
}

// "A<sep>B" with both halves plain decimal numbers of at most `limit`.
bool ParsePair(const char* text, char separator, uint64_t limit, uint64_t& first, uint64_t& second)
{
    const char* split = std::strchr(text, separator);
    if (split == nullptr) return false;
    const std::string head(text, static_cast<size_t>(split - text));
    return ParseDecimal(head.c_str(), limit, first) && ParseDecimal(split + 1, limit, second);
}

bool ParseSize(const char* text, FramesOptions& options)
{
    uint64_t width = 0;
    uint64_t height = 0;
    if (!ParsePair(text, 'x', MaxPictureSide, width, height) || width == 0 || height == 0) return false;
    options.width = static_cast<int32_t>(width);
    options.height = static_cast<int32_t>(height);
    return true;
}

// "A-B" with A <= B, or a single pass "N".
bool ParsePasses(const char* text, FramesOptions& options)
{
    uint64_t first = 0;
    uint64_t last = 0;
    if (std::strchr(text, '-') == nullptr) {
        if (!ParseDecimal(text, MaxPassNumber, first)) return false;
        last = first;
    } else if (!ParsePair(text, '-', MaxPassNumber, first, last) || first > last) {
        return false;
    }
    options.firstPass = static_cast<uint32_t>(first);
    options.lastPass = static_cast<uint32_t>(last);
    return true;
}

bool ParseValue(const std::string& name, const char* value, FramesOptions& options)
{
    uint64_t number = 0;
    if (name == "--size") return ParseSize(value, options);
    if (name == "--passes") return ParsePasses(value, options);
    if (name == "--bpp") {
        if (!ParseDecimal(value, 32, number) || (number != 16 && number != 24 && number != 32)) return false;
        options.bitCount = static_cast<uint32_t>(number);
        return true;
    }
    if (name == "--seed") {
        if (!ParseDecimal(value, UINT32_MAX, number)) return false;
        options.seed = static_cast<uint32_t>(number);
        return true;
    }
    std::string* path = name == "--settings" ? &options.settingsPath
                      : name == "--phrases"  ? &options.phrasesPath
                      : name == "--start"    ? &options.startPath
                      : name == "--stamp"    ? &options.stampPath
                      : name == "--out"      ? &options.outDir
                                             : nullptr;
    if (path == nullptr || *value == '\0') return false;
    *path = value;
    return true;
}

bool IsKnownOption(const std::string& name)
{
    static const char* const names[] = {"--size", "--bpp", "--seed", "--settings", "--phrases",
                                        "--start", "--stamp", "--passes", "--out"};
    for (const char* known : names) {
        if (name == known) return true;
    }
    return false;
}

}  // namespace

bool ParseFramesOptions(int argc, const char* const* argv, FramesOptions& options, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (!IsKnownOption(name)) {
            error = "unknown option '" + PrintableText(name) + "'";
            return false;
        }
        if (i + 1 >= argc) {
            error = "option " + name + " needs a value";
            return false;
        }
        const char* value = argv[++i];
        if (!ParseValue(name, value, options)) {
            error = "bad value '" + PrintableText(value) + "' for " + name;
            if (name == "--size") error += " (WxH, each side 1 to " + std::to_string(MaxPictureSide) + ")";
            return false;
        }
    }
    if (options.outDir.empty()) {
        error = "--out DIR is required";
        return false;
    }
    return true;
}

