#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "settings/settings_file_reader.h"
#include "settings_expectations.h"

namespace {
// The installation directory in memory; reads may be cut short on request.
struct FakeDirectory {
    std::map<std::string, std::vector<uint8_t>> files;
    std::string open;
    uint32_t readLimit = 0xFFFFFFFF;   // bytes a read delivers at most
    bool failAllocation = false;
    int blocksHeld = 0;
    std::vector<std::vector<uint8_t>> blocks;
};

FakeDirectory& Dir(void* context) { return *static_cast<FakeDirectory*>(context); }

bool Open(void* c, const char* name)
{
    if (Dir(c).files.count(name) == 0)
        return false;
    Dir(c).open = name;
    return true;
}

bool Size(void* c, uint32_t* size)
{
    *size = static_cast<uint32_t>(Dir(c).files[Dir(c).open].size());
    return true;
}

uint32_t Read(void* c, uint8_t* into, uint32_t count)
{
    const std::vector<uint8_t>& file = Dir(c).files[Dir(c).open];
    uint32_t n = count < file.size() ? count : static_cast<uint32_t>(file.size());
    if (n > Dir(c).readLimit)
        n = Dir(c).readLimit;
    std::copy(file.begin(), file.begin() + n, into);
    return n;
}

void Close(void* c) { Dir(c).open.clear(); }

uint8_t* Allocate(void* c, uint32_t size)
{
    if (Dir(c).failAllocation)
        return nullptr;
    ++Dir(c).blocksHeld;
    Dir(c).blocks.emplace_back(size);
    return Dir(c).blocks.back().data();
}

void Free(void* c, uint8_t*) { --Dir(c).blocksHeld; }

InstalledFileOps OpsOn(FakeDirectory& dir)
{
    return {&dir, Open, Size, Read, Close, Allocate, Free};
}

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

}

TEST(PhraseFileReading, TheWholeFileIsKeptByteForByte)
{
    FakeDirectory dir;
    dir.files["verdo.ini"] = Bytes("A\r\nB\r\n");
    PhraseFile phrases = {nullptr, 0};
    ASSERT_TRUE(ReadPhraseFile(OpsOn(dir), phrases));
    ASSERT_EQ(6u, phrases.length);
    EXPECT_EQ(Bytes("A\r\nB\r\n"), std::vector<uint8_t>(phrases.bytes, phrases.bytes + phrases.length));
    EXPECT_TRUE(dir.open.empty());
}

TEST(PhraseFileReading, TheLengthIsWhatTheReadDeliveredNeverTheSizeAlone)
{
    FakeDirectory dir;
    dir.files["verdo.ini"] = Bytes("Grow slowly\r\nLight finds a way");
    dir.readLimit = 5;
    PhraseFile phrases = {nullptr, 0};
    ASSERT_TRUE(ReadPhraseFile(OpsOn(dir), phrases));
    EXPECT_EQ(5u, phrases.length);
    EXPECT_EQ(Bytes("Grow "), std::vector<uint8_t>(phrases.bytes, phrases.bytes + phrases.length));
}

TEST(PhraseFileReading, MissingEmptyOrUnreadablePhrasesEndTheStart)
{
    FakeDirectory missing;
    PhraseFile phrases = {nullptr, 0};
    EXPECT_FALSE(ReadPhraseFile(OpsOn(missing), phrases));

    FakeDirectory empty;
    empty.files["verdo.ini"] = {};
    EXPECT_FALSE(ReadPhraseFile(OpsOn(empty), phrases));
    EXPECT_TRUE(empty.open.empty());

    FakeDirectory unreadable;
    unreadable.files["verdo.ini"] = Bytes("words");
    unreadable.readLimit = 0;
    EXPECT_FALSE(ReadPhraseFile(OpsOn(unreadable), phrases));
    EXPECT_EQ(0, unreadable.blocksHeld);   // the block goes back
    EXPECT_TRUE(unreadable.open.empty());

    FakeDirectory noMemory;
    noMemory.files["verdo.ini"] = Bytes("words");
    noMemory.failAllocation = true;
    EXPECT_FALSE(ReadPhraseFile(OpsOn(noMemory), phrases));
    EXPECT_TRUE(noMemory.open.empty());
}

TEST(SettingsFileReading, EightOrMoreBytesAreTakenAsTheyAre)
{
    FakeDirectory dir;
    dir.files["verdo.set"] = {10, 20, 30, 40, 1, 9, 0x03, 0x00, 0xEE};
    SaverSettings settings = {};
    ASSERT_TRUE(ReadSettingsFile(OpsOn(dir), settings));
    ExpectSettingsFields(settings, 10, 20, 30, 40, 1, 9);
    EXPECT_EQ(3, GetVideoMode(settings));
    EXPECT_TRUE(dir.open.empty());
}

TEST(SettingsFileReading, MissingShortOrCutFilesGiveTheDefaultsAndKeepVideoMode)
{
    for (int variant = 0; variant < 3; ++variant) {
        FakeDirectory dir;
        if (variant == 1)
            dir.files["verdo.set"] = {1, 2, 3, 4, 5, 6, 7};   // 7 bytes: as if absent
        if (variant == 2) {
            dir.files["verdo.set"] = {1, 2, 3, 4, 5, 6, 7, 8};
            dir.readLimit = 4;   // a read that stops half-way
        }
        // Whatever VideoMode holds beforehand stays: the defaults leave it alone.
        SaverSettings settings = {};
        SetVideoMode(settings, 0x0302);
        EXPECT_TRUE(ReadSettingsFile(OpsOn(dir), settings)) << "variant " << variant;
        ExpectDefaultSettings(settings);
        EXPECT_EQ(0x0302, GetVideoMode(settings)) << "variant " << variant;
        EXPECT_TRUE(dir.open.empty()) << "variant " << variant;
    }
}

TEST(SettingsFileReading, ASettingsFileThatDeliversNothingEndsTheStart)
{
    FakeDirectory dir;
    dir.files["verdo.set"] = {1, 2, 3, 4, 5, 6, 7, 8};
    dir.readLimit = 0;
    SaverSettings settings = {};
    EXPECT_FALSE(ReadSettingsFile(OpsOn(dir), settings));
    EXPECT_TRUE(dir.open.empty());
}
