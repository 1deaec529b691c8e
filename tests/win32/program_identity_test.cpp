// How Windows names Verdo, read from verdo.scr as a data file: string 1 is the
// name the Screen Saver list shows; the version resource is what Properties
// and Task Manager show, and carries the installer's version.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "harness/harness.h"

TEST(ProgramIdentity, TheScreenSaverListNamesItVerdo)
{
    EXPECT_EQ("Verdo", ProgramResources(SaverProgramPath()).LoadStringResource(1));
}

TEST(ProgramIdentity, TheVersionResourceNamesVerdoAndTheProjectVersion)
{
    const ProgramResources program(SaverProgramPath());
    for (const char* name : {"FileDescription", "ProductName", "CompanyName", "OriginalFilename", "LegalCopyright",
                             "FileVersion", "ProductVersion"})
        std::printf("%s: %s\n", name, program.VersionValue(name).c_str());
    std::printf("fixed file and product versions: %s\n", program.FixedVersions().c_str());
    EXPECT_EQ("Verdo screen saver", program.VersionValue("FileDescription"));
    EXPECT_EQ("Verdo", program.VersionValue("ProductName"));
    EXPECT_EQ("Corvane Labs", program.VersionValue("CompanyName"));
    EXPECT_EQ("verdo.scr", program.VersionValue("OriginalFilename"));
    EXPECT_NE(std::string::npos, program.VersionValue("LegalCopyright").find("Corvane Labs"));
    EXPECT_EQ(VERDO_PROJECT_VERSION, program.VersionValue("FileVersion"));
    EXPECT_EQ(VERDO_PROJECT_VERSION, program.VersionValue("ProductVersion"));
    EXPECT_EQ(VERDO_PROJECT_VERSION ".0 " VERDO_PROJECT_VERSION ".0", program.FixedVersions());
}

TEST(ProgramIdentity, TheInstallerCarriesTheProgramsVersion)
{
    const ProgramResources program(SaverProgramPath());
    const ProgramResources installer(WindowsPathFromArgument(VERDO_INSTALLER_FILE));
    for (const char* name : {"FileVersion", "ProductVersion", "CompanyName", "LegalCopyright"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(program.VersionValue(name).empty());
        EXPECT_EQ(program.VersionValue(name), installer.VersionValue(name));
    }
    EXPECT_EQ(program.FixedVersions(), installer.FixedVersions());
}
