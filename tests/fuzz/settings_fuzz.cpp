// The settings record from any file bytes and back: 8 bytes or more give the
// record of their first 8 (VideoMode little-endian), fewer give the defaults
// and keep VideoMode. The record written through the file writer (with any
// failure) and read back through the reader is the same record, or the old
// file stays as it was; the phrase file arrives as the bytes delivered.
//
// Input: a byte of failures, a byte that limits what a read or write delivers,
// a VideoMode of 2 bytes, then the file's bytes.
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "settings/saver_settings.h"
#include "settings/settings_file_reader.h"
#include "settings/settings_file_writer.h"

namespace {

// One file of the installation in memory, for reading and writing.
struct Folder {
    bool exists = false;
    std::vector<uint8_t> file;
    bool hasTemporary = false;
    std::vector<uint8_t> temporary;
    uint8_t failures = 0;       // bit n: step n fails
    uint32_t transferLimit = 0;  // bytes one read or write delivers at most
    bool open = false;
    std::string opened;   // the name of the last file asked for
    int blocksHeld = 0;
    std::vector<std::vector<uint8_t>> blocks;
};

Folder& Of(void* context) { return *static_cast<Folder*>(context); }
bool Fails(void* c, int step) { return (Of(c).failures >> step & 1) != 0; }

bool Open(void* c, const char* name)
{
    FUZZ_CHECK(!Of(c).open, "a second file opened");
    Of(c).opened = name;
    Of(c).open = Of(c).exists && !Fails(c, 0);
    return Of(c).open;
}
bool Size(void* c, uint32_t* size)
{
    *size = static_cast<uint32_t>(Of(c).file.size());
    return !Fails(c, 1);
}
uint32_t Read(void* c, uint8_t* into, uint32_t count)
{
    FUZZ_CHECK(Of(c).open, "read from a closed file");
    uint32_t n = static_cast<uint32_t>(Of(c).file.size());
    if (n > count) n = count;
    if (n > Of(c).transferLimit) n = Of(c).transferLimit;
    std::memcpy(into, Of(c).file.data(), n);
    return n;
}
void Close(void* c) { Of(c).open = false; }
uint8_t* Allocate(void* c, uint32_t size)
{
    if (Fails(c, 2)) return nullptr;
    ++Of(c).blocksHeld;
    Of(c).blocks.emplace_back(size);
    return Of(c).blocks.back().data();
}
void Free(void* c, uint8_t*) { --Of(c).blocksHeld; }

bool CreateTemporary(void* c)
{
    if (Fails(c, 3)) return false;
    Of(c).hasTemporary = true;
    Of(c).temporary.clear();
    return true;
}
uint32_t WriteTemporary(void* c, const uint8_t* bytes, uint32_t count)
{
    const uint32_t n = count < Of(c).transferLimit ? count : Of(c).transferLimit;
    Of(c).temporary.insert(Of(c).temporary.end(), bytes, bytes + n);
    return n;
}
bool CloseTemporary(void* c) { return !Fails(c, 4); }
bool ReplaceSettingsFile(void* c)
{
    if (Fails(c, 5)) return false;
    Of(c).file = Of(c).temporary;
    Of(c).exists = true;
    Of(c).hasTemporary = false;
    return true;
}
void DeleteTemporary(void* c)
{
    Of(c).hasTemporary = false;
    Of(c).temporary.clear();
}

bool IsDefault(const SaverSettings& s)
{
    return s.RedLimit == 127 && s.GreenLimit == 255 && s.BlueLimit == 255 && s.Duration == 2 && s.Invert == 0 &&
           s.Reserved == 0;
}

void CheckRecordOfBytes(const uint8_t* bytes, size_t count, uint16_t videoMode)
{
    SaverSettings settings{};
    SetVideoMode(settings, videoMode);
    const bool used = SettingsFromFileBytes(settings, bytes, count);
    FUZZ_CHECK(used == (count >= SettingsFileSize), "bytes used only from 8 on");
    uint8_t out[SettingsFileSize];
    SettingsToFileBytes(settings, out);
    if (used) {
        FUZZ_CHECK(std::memcmp(out, bytes, SettingsFileSize) == 0, "record is not the file's first 8 bytes");
        FUZZ_CHECK(GetVideoMode(settings) == (bytes[6] | bytes[7] << 8), "VideoMode is not little-endian");
    } else {
        FUZZ_CHECK(IsDefault(settings) && GetVideoMode(settings) == videoMode, "defaults keep VideoMode");
    }
    SetVideoMode(settings, videoMode);
    SettingsToFileBytes(settings, out);
    FUZZ_CHECK(out[6] == (videoMode & 0xFF) && out[7] == videoMode >> 8, "SetVideoMode");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    Folder folder;
    folder.failures = input.Byte();
    folder.transferLimit = input.Byte();
    const uint16_t videoMode = input.Word();
    folder.exists = !(folder.failures & 0x80);
    folder.file.assign(input.Rest(), input.Rest() + input.RestSize());
    CheckRecordOfBytes(folder.file.data(), folder.file.size(), videoMode);

    const InstalledFileOps reader{&folder, Open, Size, Read, Close, Allocate, Free};
    const SettingsFileOps writer{&folder, CreateTemporary, WriteTemporary, CloseTemporary, ReplaceSettingsFile,
                                 DeleteTemporary};
    const size_t fileSize = folder.file.size();
    const uint32_t delivered = static_cast<uint32_t>(fileSize < folder.transferLimit ? fileSize : folder.transferLimit);
    const bool opens = folder.exists && !(folder.failures & 1);
    const bool sized = opens && !(folder.failures & 2);

    PhraseFile phrases{nullptr, 0};
    const bool phrasesRead = ReadPhraseFile(reader, phrases);
    FUZZ_CHECK(!folder.open, "phrase file left open");
    FUZZ_CHECK(folder.opened == PhrasesFileName, "phrases read from another file");
    FUZZ_CHECK(phrasesRead == (sized && fileSize > 0 && !(folder.failures & 4) && delivered > 0), "ReadPhraseFile");
    FUZZ_CHECK(folder.blocksHeld == (phrasesRead ? 1 : 0), "a block kept without phrases");
    if (phrasesRead) {
        FUZZ_CHECK(phrases.length == delivered, "phrase length is not what arrived");
        FUZZ_CHECK(std::memcmp(phrases.bytes, folder.file.data(), delivered) == 0, "phrase bytes");
    }

    SaverSettings settings{};
    SetVideoMode(settings, videoMode);
    const bool settingsRead = ReadSettingsFile(reader, settings);
    FUZZ_CHECK(!folder.open, "settings file left open");
    FUZZ_CHECK(folder.opened == SettingsFileName, "settings read from another file");
    const bool whole = sized && fileSize >= SettingsFileSize;
    FUZZ_CHECK(settingsRead == !(whole && delivered == 0), "ReadSettingsFile fails only when nothing arrives");
    if (!settingsRead) return 0;
    const bool taken = whole && delivered >= SettingsFileSize;
    FUZZ_CHECK(taken || (IsDefault(settings) && GetVideoMode(settings) == videoMode), "short file gives defaults");
    uint8_t record[SettingsFileSize];
    SettingsToFileBytes(settings, record);
    if (taken) FUZZ_CHECK(std::memcmp(record, folder.file.data(), SettingsFileSize) == 0, "record of the file");

    // Written and read back: the same record, or the old file untouched.
    const std::vector<uint8_t> before = folder.file;
    const bool existed = folder.exists;
    const bool written = WriteSettingsFile(settings, writer);
    FUZZ_CHECK(!folder.hasTemporary, "a temporary file left behind");
    FUZZ_CHECK(written == (!(folder.failures & 0x38) && folder.transferLimit >= SettingsFileSize),
               "WriteSettingsFile succeeds only when every step does");
    if (!written) {
        FUZZ_CHECK(folder.exists == existed && folder.file == before, "a failed write changed verdo.set");
        return 0;
    }
    FUZZ_CHECK(folder.file == std::vector<uint8_t>(record, record + SettingsFileSize), "verdo.set is the record");
    folder.failures = 0;
    folder.transferLimit = SettingsFileSize;
    SaverSettings again{};
    FUZZ_CHECK(ReadSettingsFile(reader, again), "reading back");
    uint8_t recordAgain[SettingsFileSize];
    SettingsToFileBytes(again, recordAgain);
    FUZZ_CHECK(std::memcmp(record, recordAgain, SettingsFileSize) == 0, "record lost in the round trip");
    return 0;
}
