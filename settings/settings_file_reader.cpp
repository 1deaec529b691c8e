#include "settings_file_reader.h"

bool ReadPhraseFile(const InstalledFileOps& ops, PhraseFile& phrases)
{
    if (!ops.Open(ops.context, PhrasesFileName))
        return false;
    uint32_t size = 0;
    if (!ops.Size(ops.context, &size) || size == 0) {
        ops.Close(ops.context);
        return false;
    }
    uint8_t* block = ops.Allocate(ops.context, size);
    if (block == nullptr) {
        ops.Close(ops.context);
        return false;
    }
    const uint32_t read = ops.Read(ops.context, block, size);
    ops.Close(ops.context);
    if (read == 0) {
        ops.Free(ops.context, block);
        return false;
    }
    // A file that shrank while it was read ends where its bytes end.
    phrases.bytes = block;
    phrases.length = read < size ? read : size;
    return true;
}

bool ReadSettingsFile(const InstalledFileOps& ops, SaverSettings& settings)
{
    if (ops.Open(ops.context, SettingsFileName)) {
        uint32_t size = 0;
        if (ops.Size(ops.context, &size) && size >= SettingsFileSize) {
            uint8_t bytes[SettingsFileSize];
            const uint32_t read = ops.Read(ops.context, bytes, static_cast<uint32_t>(sizeof bytes));
            ops.Close(ops.context);
            if (read == 0)
                return false;
            SettingsFromFileBytes(settings, bytes, read);
            return true;
        }
        ops.Close(ops.context);
    }
    ApplyDefaultSettings(settings);
    return true;
}
