// Writing verdo.set so that the previous settings survive any failure: the
// record goes to a temporary file beside it, which replaces verdo.set only
// once all its bytes are in.
#pragma once
#include <cstdint>

#include "saver_settings.h"

// The file operations the writer needs; the program fills them with Win32
// calls, tests with files in memory.
struct SettingsFileOps {
    void* context;
    // Creates the temporary file, emptying one left by an earlier run.
    bool (*CreateTemporary)(void* context);
    // One write of the whole record; returns the bytes that reached the file.
    uint32_t (*WriteTemporary)(void* context, const uint8_t* bytes, uint32_t count);
    // Closes the temporary file; false when its content may not be complete.
    bool (*CloseTemporary)(void* context);
    // Puts the temporary file in verdo.set's place, replacing it.
    bool (*ReplaceSettingsFile)(void* context);
    void (*DeleteTemporary)(void* context);
};

// True only when verdo.set now holds exactly the record's bytes; on false the
// previous verdo.set (or its absence) is unchanged and no temporary is left.
bool WriteSettingsFile(const SaverSettings& settings, const SettingsFileOps& ops);
