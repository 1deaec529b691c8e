// The animation thread's life as a test build of the program
// (VERDO_SETUP_FAULTS) shows it. On a loaded machine an idle-priority thread
// may get no processor time for as long as the load lasts; Wine schedules
// more gently, so the test build can have the thread go on in its own code
// for a while after a stop is asked, and it writes down how every stop
// ended. In the shipped program both are nothing.
#pragma once

struct AnimationControl;

#ifdef VERDO_SETUP_FAULTS
void AnswerLateInTestBuild(const AnimationControl& control);
void NoteInTestBuild(const char* what, unsigned long ms);
#else
constexpr void AnswerLateInTestBuild(const AnimationControl&) {}
constexpr void NoteInTestBuild(const char*, unsigned long) {}
#endif
