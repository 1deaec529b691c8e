#include "monitor_choice.h"

MonitorChoice MonitorChoiceFrom(uint32_t value)
{
    return value < MonitorChoiceCount ? static_cast<MonitorChoice>(value) : MonitorChoice::OwnPhrase;
}
