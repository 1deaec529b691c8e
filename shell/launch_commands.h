// Command lines of the programs the saver starts: the file explorer on the
// home page, and the text editor on the phrases file.
#pragma once
#include <cstddef>

// Longest command line: a 254-character directory gives 274 characters.
const size_t LaunchCommandCapacity = 300;

// explorer "<home page>"
void FormatExplorerCommand(char* out, size_t capacity);

// notepad "<directory>\verdo.ini"; a too-long directory is cut, never overrun.
void FormatNotepadCommand(const char* directory, char* out, size_t capacity);
