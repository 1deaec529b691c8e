#include "settings_file_writer.h"

bool WriteSettingsFile(const SaverSettings& settings, const SettingsFileOps& ops)
{
    uint8_t bytes[SettingsFileSize];
    SettingsToFileBytes(settings, bytes);

    if (!ops.CreateTemporary(ops.context))
        return false;
    const uint32_t written = ops.WriteTemporary(ops.context, bytes, static_cast<uint32_t>(sizeof bytes));
    const bool closed = ops.CloseTemporary(ops.context);
    if (written != sizeof bytes || !closed || !ops.ReplaceSettingsFile(ops.context)) {
        ops.DeleteTemporary(ops.context);
        return false;
    }
    return true;
}
