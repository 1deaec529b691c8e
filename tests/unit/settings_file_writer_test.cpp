#include <gtest/gtest.h>

#include <vector>

#include "settings/settings_file_writer.h"

namespace {
// verdo.set and its temporary, in memory, with failures to order.
struct FakeFolder {
    bool settingsExists = false;
    std::vector<uint8_t> settings;
    bool temporaryExists = false;
    std::vector<uint8_t> temporary;
    bool failCreate = false;
    uint32_t writeLimit = 1000;   // bytes a write delivers at most
    bool failClose = false;
    bool failReplace = false;
};

FakeFolder& Folder(void* context) { return *static_cast<FakeFolder*>(context); }

bool CreateTemporary(void* c)
{
    if (Folder(c).failCreate)
        return false;
    Folder(c).temporaryExists = true;
    Folder(c).temporary.clear();
    return true;
}

uint32_t WriteTemporary(void* c, const uint8_t* bytes, uint32_t count)
{
    const uint32_t n = count < Folder(c).writeLimit ? count : Folder(c).writeLimit;
    Folder(c).temporary.insert(Folder(c).temporary.end(), bytes, bytes + n);
    return n;
}

bool CloseTemporary(void* c) { return !Folder(c).failClose; }

bool ReplaceSettingsFile(void* c)
{
    if (Folder(c).failReplace)
        return false;
    Folder(c).settings = Folder(c).temporary;
    Folder(c).settingsExists = true;
    Folder(c).temporaryExists = false;
    return true;
}

void DeleteTemporary(void* c)
{
    Folder(c).temporaryExists = false;
    Folder(c).temporary.clear();
}

SettingsFileOps OpsOn(FakeFolder& folder)
{
    return {&folder, CreateTemporary, WriteTemporary, CloseTemporary, ReplaceSettingsFile, DeleteTemporary};
}

const std::vector<uint8_t> OldBytes = {1, 2, 3, 4, 5, 6, 7, 8};
const SaverSettings NewSettings = {10, 20, 30, 40, 1, 9, 0x03, 0x00};
const std::vector<uint8_t> NewBytes = {10, 20, 30, 40, 1, 9, 3, 0};
}

TEST(SettingsFileWriter, ASuccessfulSaveReplacesTheFileWithExactlyTheRecord)
{
    FakeFolder folder;
    folder.settingsExists = true;
    folder.settings = {9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9};   // a longer file is cut to 8 bytes
    EXPECT_TRUE(WriteSettingsFile(NewSettings, OpsOn(folder)));
    EXPECT_EQ(NewBytes, folder.settings);
    EXPECT_FALSE(folder.temporaryExists);

    FakeFolder empty;
    EXPECT_TRUE(WriteSettingsFile(NewSettings, OpsOn(empty)));
    EXPECT_TRUE(empty.settingsExists);
    EXPECT_EQ(NewBytes, empty.settings);
}

TEST(SettingsFileWriter, EveryFailureKeepsThePreviousFileWholeAndReportsIt)
{
    for (int failure = 0; failure < 5; ++failure) {
        FakeFolder folder;
        folder.settingsExists = true;
        folder.settings = OldBytes;
        switch (failure) {
        case 0: folder.failCreate = true; break;
        case 1: folder.writeLimit = 0; break;   // nothing written
        case 2: folder.writeLimit = 5; break;   // a short write
        case 3: folder.failClose = true; break;
        case 4: folder.failReplace = true; break;
        }
        EXPECT_FALSE(WriteSettingsFile(NewSettings, OpsOn(folder))) << "failure " << failure;
        EXPECT_TRUE(folder.settingsExists) << "failure " << failure;
        EXPECT_EQ(OldBytes, folder.settings) << "failure " << failure;
        EXPECT_FALSE(folder.temporaryExists) << "failure " << failure;
    }
}

TEST(SettingsFileWriter, AFailedFirstSaveLeavesNoSettingsFile)
{
    FakeFolder folder;
    folder.writeLimit = 7;
    EXPECT_FALSE(WriteSettingsFile(NewSettings, OpsOn(folder)));
    EXPECT_FALSE(folder.settingsExists);
    EXPECT_FALSE(folder.temporaryExists);
}
