// Reading the installation's two files: the phrases of verdo.ini, whole, and
// the settings record of verdo.set, or the defaults when it is missing or short.
#pragma once
#include <cstdint>

#include "saver_settings.h"

const char PhrasesFileName[] = "verdo.ini";
const char SettingsFileName[] = "verdo.set";

// The file operations the reader needs, one file open at a time; the program
// fills them with Win32 calls, tests with files in memory.
struct InstalledFileOps {
    void* context;
    // Opens an existing file of the current directory; false when it cannot.
    bool (*Open)(void* context, const char* name);
    // False when the size cannot be told.
    bool (*Size)(void* context, uint32_t* size);
    // One read; returns the bytes that arrived.
    uint32_t (*Read)(void* context, uint8_t* into, uint32_t count);
    void (*Close)(void* context);
    // A block kept for the life of the process, or null.
    uint8_t* (*Allocate)(void* context, uint32_t size);
    void (*Free)(void* context, uint8_t* block);
};

struct PhraseFile {
    const uint8_t* bytes;
    uint32_t length;   // the bytes that really arrived, never more
};

// False when verdo.ini cannot be opened or delivers no bytes.
bool ReadPhraseFile(const InstalledFileOps& ops, PhraseFile& phrases);

// False only when a verdo.set of 8 bytes or more delivers nothing. A missing
// file, a shorter one, or one that delivers fewer than 8 bytes gives the
// defaults (VideoMode untouched).
bool ReadSettingsFile(const InstalledFileOps& ops, SaverSettings& settings);
