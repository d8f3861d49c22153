// A program that writes to Error.log in its current directory and ends, for
// the tests that check the file a whole process leaves behind:
//   errorlog_probe twice     two LogError calls, exit code 0
//   errorlog_probe access    an access violation under the crash handler
//   errorlog_probe illegal   an exception code the record has no name for
//   errorlog_probe step      a single-step exception (trap flag)
#include <windows.h>

#include <cstring>

#include "diag/CrashReport.h"
#include "diag/ErrorLog.h"

namespace {
int* volatile nowhere = nullptr;

void SingleStep() {
#if defined(__x86_64__)
    asm volatile("pushfq\n\torq $0x100, (%%rsp)\n\tpopfq\n\tnop" ::: "memory", "cc");
#elif defined(__i386__)
    asm volatile("pushfl\n\torl $0x100, (%%esp)\n\tpopfl\n\tnop" ::: "memory", "cc");
#endif
}
} // namespace

int main(int argc, char** argv) {
    const char* mode = argc > 1 ? argv[1] : "";
    if (strcmp(mode, "twice") == 0) {
        LogError("first failure,error code: %d", 5);
        LogError("second failure %s", "here");
        return 0;
    }
    InstallCrashHandler();
    if (strcmp(mode, "access") == 0)
        *nowhere = 1;
    else if (strcmp(mode, "illegal") == 0)
        RaiseException(EXCEPTION_ILLEGAL_INSTRUCTION, 0, 0, nullptr);
    else if (strcmp(mode, "step") == 0)
        SingleStep();
    return 2;
}
