// What the saver shows on monitors other than the main one. Kept in the
// registry beside Install_Dir as the DWORD "Monitors", so verdo.set keeps
// its 8 bytes; the value is also the position in the dialog's list.
#pragma once
#include <cstdint>

enum class MonitorChoice : uint8_t {
    OwnPhrase = 0,    // each monitor its own phrase
    SamePhrase = 1,   // every monitor the same phrase, stamped together
    MainOnly = 2,     // the main monitor only, the others black
};

const uint32_t MonitorChoiceCount = 3;

// A stored value, or the dialog's selection: anything unknown (a missing
// value, a negative selection, a value of a later version) reads as OwnPhrase.
MonitorChoice MonitorChoiceFrom(uint32_t value);
