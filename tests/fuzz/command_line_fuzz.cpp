// The saver's command line, any bytes: the argument text is what follows the
// program name and the blanks after it, never past the terminator; the two
// letters are found anywhere; the window number is the first ten digits of the
// whole text read as one decimal number modulo 2^32.
//
// Input: a byte that picks the lead-byte test (none, or Shift-JIS's), then
// the command line (cut at its first zero byte).
#include <cstring>
#include <string>

#include "fuzz_input.h"
#include "shell/command_line.h"

namespace {

bool NoLeadBytes(unsigned char) { return false; }
bool ShiftJisLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool IsBlank(unsigned char c) { return c >= 1 && c <= 32; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const bool shiftJis = input.Flag();
    // The line alone in a block of its own, so a read past its end shows.
    const std::string line(reinterpret_cast<const char*>(input.Rest()),
                           strnlen(reinterpret_cast<const char*>(input.Rest()), input.RestSize()));
    const char* commandLine = line.c_str();
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(commandLine);

    const char* text = ArgumentTextOf(commandLine, shiftJis ? ShiftJisLeadByte : NoLeadBytes);
    const size_t at = static_cast<size_t>(text - commandLine);
    FUZZ_CHECK(text >= commandLine && at <= line.size(), "argument text outside the command line");
    FUZZ_CHECK(!IsBlank(bytes[at]), "argument text starts with a blank");
    size_t nameEnd = at;   // the blanks before the argument text belong to neither
    while (nameEnd > 0 && IsBlank(bytes[nameEnd - 1])) --nameEnd;
    if (bytes[0] == '"') {
        // A quoted name ends at its closing mark (or the end), which only a
        // lead byte's trail may stand for.
        FUZZ_CHECK(nameEnd >= 1, "quoted name lost its mark");
        const size_t close = line.find('"', 1);
        if (close == std::string::npos) {
            FUZZ_CHECK(at == line.size(), "an unclosed quoted name is the whole line");
        } else if (!shiftJis) {
            FUZZ_CHECK(nameEnd == close + 1, "quoted name ends at its closing mark");
        } else {
            FUZZ_CHECK(at == line.size() || (nameEnd >= close + 1 && bytes[nameEnd - 1] == '"'),
                       "quoted name ends at a closing mark");
        }
    } else {
        for (size_t i = 0; i < nameEnd; ++i) FUZZ_CHECK(bytes[i] > ' ', "unquoted name holds a blank");
        FUZZ_CHECK(bytes[nameEnd] <= ' ', "unquoted name stops before its first blank");
    }

    const CommandLetters letters = ScanCommandLetters(text);
    FUZZ_CHECK(letters.Saver == (std::strpbrk(text, "Ss") != nullptr), "Saver letter");
    FUZZ_CHECK(letters.Preview == (std::strpbrk(text, "Pp") != nullptr), "Preview letter");
    const RunMode mode = RunModeFromLetters(letters);
    FUZZ_CHECK(mode == (letters.Preview ? PreviewRun : letters.Saver ? SaverRun : ConfigureRun), "run mode");

    uint64_t number = 0;
    int digits = 0;
    for (const char* p = text; *p != 0 && digits < PreviewDigitCapacity; ++p) {
        if (*p >= '0' && *p <= '9') number = (number * 10 + static_cast<uint64_t>(*p - '0')) & 0xFFFFFFFFu, ++digits;
    }
    FUZZ_CHECK(PreviewWindowNumber(text) == number, "preview window number");
    return 0;
}
