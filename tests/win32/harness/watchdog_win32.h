// Turns a case that hangs into a reported failure: if one test runs past the
// bound, its name is printed, the processes of the case are ended, the prefix
// is put back and the test program ends with exit code 3, long before CTest's
// own timeout would kill the run and leave Wine's processes and the private X
// server behind.
#pragma once

// Installs the watchdog as a GoogleTest listener; call once after InitGoogleTest.
void InstallHangWatchdog(unsigned perTestBoundMs);

// A longer bound for the test that runs now (a long run of the stress cases);
// the next test starts with the usual bound again.
void AllowCurrentTestToRun(unsigned boundMs);
