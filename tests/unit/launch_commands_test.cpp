#include <gtest/gtest.h>

#include <string>

#include "shell/launch_commands.h"

TEST(LaunchCommands, NotepadGetsTheFullPathAndALongDirectoryFits)
{
    char line[LaunchCommandCapacity];
    FormatNotepadCommand("C:\\Verdo", line, sizeof line);
    EXPECT_EQ(std::string("notepad \"C:\\Verdo\\verdo.ini\""), line);

    const std::string longest(254, 'd');
    FormatNotepadCommand(longest.c_str(), line, sizeof line);
    EXPECT_EQ(274u, std::string(line).size());
}
