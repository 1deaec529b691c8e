// What the saver takes from its command line: the argument text after the
// program name, the two letters S and P, and the preview window's number.
#pragma once
#include <cstdint>

// Tells whether a byte starts a double-byte character in the ANSI code page.
typedef bool (*LeadByteTest)(unsigned char byte);

// The argument text inside a full command line: the program name is cut off
// (a quoted one up to its closing quotation mark, otherwise every byte above
// the blank), then bytes 1 to 32 are skipped. Never reads past the terminator.
const char* ArgumentTextOf(const char* commandLine, LeadByteTest isLeadByte);

struct CommandLetters {
    bool Saver;     // "S" or "s" somewhere in the text
    bool Preview;   // "P" or "p" somewhere in the text
};

// Looks at every character; letters are found anywhere, also inside words.
CommandLetters ScanCommandLetters(const char* argumentText);

// Digits the preview window's number is read from; more are ignored.
const int PreviewDigitCapacity = 10;

// The decimal digits of the whole text, wherever they stand, read as one
// number wrapping modulo 2^32. No digit gives 0.
uint32_t PreviewWindowNumber(const char* argumentText);

enum RunMode { PreviewRun, SaverRun, ConfigureRun };

// Preview letter first, then Saver letter, then neither.
RunMode RunModeFromLetters(const CommandLetters& letters);
