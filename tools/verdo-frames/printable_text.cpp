#include "printable_text.h"

#include <cstdio>

std::string PrintableText(const std::string& text)
{
    std::string printable;
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte == '\n') {
            printable += "\\n";
        } else if (byte == '\r') {
            printable += "\\r";
        } else if (byte == '\t') {
            printable += "\\t";
        } else if (byte < 32 || byte == 127) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            printable += escaped;
        } else {
            printable += c;
        }
    }
    return printable;
}
