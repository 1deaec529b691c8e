// Text from the command line or a file name, fit for a one-line message.
#pragma once
#include <string>

// `text` with its control bytes written out: \n, \r, \t, and \xNN for the
// others (and DEL), so a message that echoes it stays on one line.
std::string PrintableText(const std::string& text);
