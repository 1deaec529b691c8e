#include "command_line.h"

namespace {
bool IsBlankOrControl(unsigned char c) { return c >= 1 && c <= 32; }
}

const char* ArgumentTextOf(const char* commandLine, LeadByteTest isLeadByte)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(commandLine);
    if (*p == '"') {
        ++p;
        while (*p != 0 && *p != '"') {
            // A trail byte may have the quotation mark's code; it stays part of the name.
            if (isLeadByte(*p) && p[1] != 0)
                ++p;
            ++p;
        }
        if (*p == '"')
            ++p;
    } else {
        while (*p > ' ')
            ++p;
    }
    while (IsBlankOrControl(*p))
        ++p;
    return reinterpret_cast<const char*>(p);
}

CommandLetters ScanCommandLetters(const char* argumentText)
{
    CommandLetters letters = {false, false};
    for (const char* p = argumentText; *p != 0; ++p) {
        if (*p == 'S' || *p == 's')
            letters.Saver = true;
        else if (*p == 'P' || *p == 'p')
            letters.Preview = true;
    }
    return letters;
}

uint32_t PreviewWindowNumber(const char* argumentText)
{
    char digits[PreviewDigitCapacity] = {};
    int count = 0;
    for (const char* p = argumentText; *p != 0 && count < PreviewDigitCapacity; ++p) {
        if (*p >= '0' && *p <= '9')
            digits[count++] = *p;
    }
    uint32_t number = 0;
    for (int i = 0; i < count; ++i)
        number = number * 10u + static_cast<uint32_t>(digits[i] - '0');
    return number;
}

RunMode RunModeFromLetters(const CommandLetters& letters)
{
    if (letters.Preview)
        return PreviewRun;
    if (letters.Saver)
        return SaverRun;
    return ConfigureRun;
}
