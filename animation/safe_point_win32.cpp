#include "safe_point_win32.h"

#include "animation/safe_point.h"

namespace {
const AnimationControl* Watched = nullptr;

// Whether a suspended thread stands in this program's own code, where the
// passes take no locks, or in a wait of its own, which holds none either.
bool StoppedInOwnCode(void* thread)
{
    // SuspendThread returns before the thread has stopped; GetThreadContext
    // is what waits for it. Only then does the wait mark tell where it stands:
    // read before, it could still say "waits" of a thread on its way into a lock.
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_CONTROL;
    if (!GetThreadContext(static_cast<HANDLE>(thread), &context))
        return false;
    if (AnimationThreadWaits(*Watched))
        return true;
#ifdef _WIN64
    const uintptr_t instruction = context.Rip;
#else
    const uintptr_t instruction = context.Eip;
#endif
    const auto image = reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr));
    const auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image);
    const auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(image + dos->e_lfanew);
    const uintptr_t codeStart = image + nt->OptionalHeader.BaseOfCode;
    return instruction >= codeStart && instruction < codeStart + nt->OptionalHeader.SizeOfCode;
}

uint32_t SuspendRaw(void* thread)
{
    return SuspendThread(static_cast<HANDLE>(thread));
}

void ResumeRaw(void* thread)
{
    ResumeThread(static_cast<HANDLE>(thread));
}

void LetRunBriefly(int)
{
    Sleep(0);
}
}  // namespace

bool HoldAnimationThreadForExit(HANDLE thread, const AnimationControl& control)
{
    Watched = &control;
    const RawThread raw{thread, SuspendRaw, ResumeRaw, StoppedInOwnCode, LetRunBriefly};
    return SuspendAtSafePoint(raw, ExitSafePointAttempts).atSafePoint;
}
