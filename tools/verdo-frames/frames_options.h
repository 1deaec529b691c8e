// The command line of verdo-frames.
#pragma once
#include <cstdint>
#include <string>

struct FramesOptions {
    int32_t width = 800;
    int32_t height = 600;
    uint32_t bitCount = 32;
    uint32_t seed = 1;
    std::string settingsPath;   // empty: default settings
    std::string phrasesPath;    // empty: the one phrase "Verdo"
    std::string startPath;      // empty: black start picture
    std::string stampPath;      // empty: the built-in font draws the phrase
    uint32_t firstPass = 0;
    uint32_t lastPass = 40;
    std::string outDir;         // required
};

// Output files have five-digit pass numbers.
const uint32_t MaxPassNumber = 99999;

// Parses argv[1..argc-1]. On failure `error` holds a one-line reason.
bool ParseFramesOptions(int argc, const char* const* argv, FramesOptions& options, std::string& error);
