// verdo-frames: runs the frame cycle on a surface in memory, with no window,
// and writes chosen passes as PPM pictures.
#include <cstdio>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "animation/frame_cycle.h"
#include "animation/memory_surface.h"
#include "animation/phrase_encoding.h"
#include "animation/random.h"
#include "font_text.h"
#include "frames_options.h"
#include "picture_stamp.h"
#include "picture_transfer.h"
#include "ppm_picture.h"
#include "printable_text.h"
#include "read_file.h"

namespace {

const int BadInput = 2;
const int OutputFailed = 1;

struct FramesInputs {
    SaverSettings settings{};
    std::vector<uint8_t> phraseText;
    RgbPicture start;
    RgbPicture stamp;
};

const char Usage[] =
    "usage: verdo-frames --out DIR [--size WxH] [--bpp 16|24|32] [--seed N]\n"
    "                    [--settings FILE] [--phrases FILE] [--start PIC.ppm]\n"
    "                    [--stamp PIC.ppm] [--passes A-B]\n"
    "Runs the frame cycle on a surface in memory and writes passes A to B\n"
    "(default 0-40, at most 99999) to DIR as pass-NNNNN.ppm. --size is 800x600\n"
    "by default; each side is 1 to 16384. Bad input exits with 2, a failed\n"
    "output with 1.\n";

// Paths and values in a message may hold line breaks: they are escaped, so
// every message is one line.
int Fail(int status, const std::string& message)
{
    std::fprintf(stderr, "verdo-frames: %s\n", PrintableText(message).c_str());
    return status;
}

bool LoadPicture(const std::string& path, const FramesOptions& options, RgbPicture& picture, std::string& error)
{
    if (!ReadPpmFile(path, picture, error)) return false;
    if (picture.width != options.width || picture.height != options.height) {
        error = path + ": picture is " + std::to_string(picture.width) + "x" + std::to_string(picture.height) +
                ", not " + std::to_string(options.width) + "x" + std::to_string(options.height);
        return false;
    }
    return true;
}

bool LoadInputs(const FramesOptions& options, FramesInputs& inputs, std::string& error)
{
    std::vector<uint8_t> settingsBytes;
    if (!options.settingsPath.empty() && !ReadWholeFile(options.settingsPath, settingsBytes)) {
        error = "cannot read " + options.settingsPath;
        return false;
    }
    // Fewer than 8 bytes, or no file at all, give the defaults as in the program.
    SettingsFromFileBytes(inputs.settings, settingsBytes.data(), settingsBytes.size());

    if (options.phrasesPath.empty()) {
        const std::string phrase = "Verdo";
        inputs.phraseText.assign(phrase.begin(), phrase.end());
    } else if (!ReadWholeFile(options.phrasesPath, inputs.phraseText)) {
        error = "cannot read " + options.phrasesPath;
        return false;
    } else if (inputs.phraseText.size() > UINT32_MAX ||
               ByteOrderMarkLength(inputs.phraseText.data(), static_cast<uint32_t>(inputs.phraseText.size())) ==
                   inputs.phraseText.size()) {
        // The program itself refuses to start on an empty phrases file, or
        // on one of a byte-order mark alone.
        error = options.phrasesPath + ": phrases file is empty or too large";
        return false;
    }
    if (!options.startPath.empty() && !LoadPicture(options.startPath, options, inputs.start, error)) return false;
    if (!options.stampPath.empty() && !LoadPicture(options.stampPath, options, inputs.stamp, error)) return false;
    return true;
}

std::string PassFileName(const std::string& dir, uint32_t pass)
{
    char name[32];
    std::snprintf(name, sizeof(name), "pass-%05u.ppm", pass);
    return (std::filesystem::path(dir) / name).string();
}

int RunFrames(const FramesOptions& options, FramesInputs& inputs)
{
    MemorySurface surface;
    if (!CreateMemorySurface(surface, options.width, options.height, options.bitCount)) {
        return Fail(BadInput, "cannot make a surface of that size and bit count");
    }
    if (!inputs.start.rgb.empty()) PutPicture(inputs.start, surface);

    const uint32_t phraseTextLength = static_cast<uint32_t>(inputs.phraseText.size());
    const PhraseEncoding encoding = PhraseEncodingOf(inputs.phraseText.data(), phraseTextLength);
    FontTextService font{FontScaleForHeight(options.height), encoding};
    PictureStamp stamp{&inputs.stamp, LitBoundingHeight(inputs.stamp)};
    if (inputs.stamp.rgb.empty()) {
        UseFontText(surface, font);
    } else {
        UsePictureStamp(surface, stamp);
    }

    std::error_code dirError;
    std::filesystem::create_directories(options.outDir, dirError);
    if (dirError) return Fail(OutputFailed, "cannot make " + options.outDir + ": " + dirError.message());

    const DrawRegion region{0, 0, options.width, options.height, 0, 0};
    std::vector<uint8_t> growthMask(static_cast<size_t>(options.width) * options.height);
    AnimationState state{};
    state.Settings = inputs.settings;
    state.PhraseTextLength = phraseTextLength;
    state.PhraseTextEncoding = encoding;
    const DrawingSurface seam = MemoryDrawingSurface(surface);

    SeedRandom(options.seed);
    FrameCycle cycle;
    StartFrameCycle(cycle, growthMask.data(), growthMask.size());
    for (uint32_t pass = 0; pass <= options.lastPass; ++pass) {
        // A failed Lock ends the animation, as in the program; memory never fails.
        if (RunFramePass(cycle, state, inputs.phraseText.data(), region, seam) != FrameOutcome::Passed) break;
        if (pass < options.firstPass) continue;
        const std::string path = PassFileName(options.outDir, pass);
        if (!WritePpmFile(path, TakePicture(surface))) return Fail(OutputFailed, "cannot write " + path);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    FramesOptions options;
    FramesInputs inputs;
    std::string error;
    if (argc == 2 && std::string(argv[1]) == "--help") {
        std::fputs(Usage, stdout);
        return 0;
    }
    if (!ParseFramesOptions(argc, argv, options, error)) return Fail(BadInput, error);
    if (!LoadInputs(options, inputs, error)) return Fail(BadInput, error);
    try {
        return RunFrames(options, inputs);
    } catch (const std::bad_alloc&) {
        return Fail(OutputFailed, "out of memory");
    }
}
