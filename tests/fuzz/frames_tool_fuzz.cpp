// verdo-frames' command line and PPM reader on any bytes.
// Options: a refusal gives a one-line reason with no control byte in it; an
// acceptance gives values within their limits, which read back from their
// own canonical arguments give the same options.
// PPM: a picture read is of the header's size with the file's last bytes as
// its pixels, and reads back the same once written in the canonical header;
// a refusal gives a one-line reason.
//
// Input: a byte, even for options (the rest split into arguments at each zero
// byte), odd for a PPM file (the rest).
#include <algorithm>
#include <string>
#include <vector>

#include "frames_options.h"
#include "fuzz_input.h"
#include "ppm_picture.h"

namespace {

bool IsOneLine(const std::string& text)
{
    if (text.empty()) return false;
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 32 || c == 127) return false;
    return true;
}

bool Parse(const std::vector<std::string>& arguments, FramesOptions& options, std::string& error)
{
    std::vector<const char*> argv{"verdo-frames"};
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    return ParseFramesOptions(static_cast<int>(argv.size()), argv.data(), options, error);
}

void CheckOptions(const uint8_t* data, size_t size)
{
    std::vector<std::string> arguments(1);
    for (size_t i = 0; i < size && arguments.size() <= 24; ++i) {
        if (data[i] == 0) {
            arguments.emplace_back();
        } else {
            arguments.back().push_back(static_cast<char>(data[i]));
        }
    }
    FramesOptions options;
    std::string error;
    if (!Parse(arguments, options, error)) {
        FUZZ_CHECK(IsOneLine(error), "a refusal is not one printable line");
        return;
    }
    FUZZ_CHECK(error.empty(), "an error with an acceptance");
    FUZZ_CHECK(options.width >= 1 && options.width <= 16384 && options.height >= 1 && options.height <= 16384,
               "size beyond 16384 a side");
    FUZZ_CHECK(options.bitCount == 16 || options.bitCount == 24 || options.bitCount == 32, "bit count");
    FUZZ_CHECK(options.firstPass <= options.lastPass && options.lastPass <= MaxPassNumber, "passes");
    FUZZ_CHECK(!options.outDir.empty(), "no output folder");

    std::vector<std::string> canonical = {
        "--size", std::to_string(options.width) + "x" + std::to_string(options.height),
        "--bpp", std::to_string(options.bitCount), "--seed", std::to_string(options.seed),
        "--passes", std::to_string(options.firstPass) + "-" + std::to_string(options.lastPass),
        "--out", options.outDir};
    const std::pair<const char*, const std::string*> paths[] = {{"--settings", &options.settingsPath},
                                                                {"--phrases", &options.phrasesPath},
                                                                {"--start", &options.startPath},
                                                                {"--stamp", &options.stampPath}};
    for (const auto& path : paths) {
        if (!path.second->empty()) canonical.insert(canonical.end(), {path.first, *path.second});
    }
    FramesOptions again;
    FUZZ_CHECK(Parse(canonical, again, error), "canonical arguments refused");
    FUZZ_CHECK(again.width == options.width && again.height == options.height && again.bitCount == options.bitCount &&
                   again.seed == options.seed && again.firstPass == options.firstPass &&
                   again.lastPass == options.lastPass && again.outDir == options.outDir &&
                   again.settingsPath == options.settingsPath && again.phrasesPath == options.phrasesPath &&
                   again.startPath == options.startPath && again.stampPath == options.stampPath,
               "options differ when read back");
}

void CheckPpm(const uint8_t* data, size_t size)
{
    RgbPicture picture;
    std::string error;
    if (!ParsePpm(data, size, picture, error)) {
        FUZZ_CHECK(IsOneLine(error), "a refusal is not one printable line");
        return;
    }
    FUZZ_CHECK(picture.width >= 1 && picture.width <= MaxPictureSide && picture.height >= 1 &&
                   picture.height <= MaxPictureSide,
               "picture size");
    const size_t pixels = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height) * 3;
    FUZZ_CHECK(picture.rgb.size() == pixels && pixels < size, "pixel data size");
    FUZZ_CHECK(std::equal(picture.rgb.begin(), picture.rgb.end(), data + size - pixels), "pixels are the file's tail");

    const std::string header =
        "P6\n" + std::to_string(picture.width) + " " + std::to_string(picture.height) + "\n255\n";
    std::vector<uint8_t> written(header.begin(), header.end());
    written.insert(written.end(), picture.rgb.begin(), picture.rgb.end());
    RgbPicture again;
    FUZZ_CHECK(ParsePpm(written.data(), written.size(), again, error), "written picture refused");
    FUZZ_CHECK(again.width == picture.width && again.height == picture.height && again.rgb == picture.rgb,
               "picture differs when read back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const bool ppm = input.Flag();
    // The rest alone in a block of its own, so a read past its end shows.
    const std::vector<uint8_t> rest(input.Rest(), input.Rest() + input.RestSize());
    if (ppm) {
        CheckPpm(rest.data(), rest.size());
    } else {
        CheckOptions(rest.data(), rest.size());
    }
    return 0;
}
