#include "launch_commands.h"

#include <cstdio>

#include "home_page.h"

void FormatExplorerCommand(char* out, size_t capacity)
{
    std::snprintf(out, capacity, "explorer \"%s\"", HomePageAddress);
}

void FormatNotepadCommand(const char* directory, char* out, size_t capacity)
{
    std::snprintf(out, capacity, "notepad \"%s\\verdo.ini\"", directory);
}
