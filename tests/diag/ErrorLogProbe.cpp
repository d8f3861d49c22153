// A program that writes to Error.log in its current directory and ends, for
// the tests that check the file a whole process leaves behind:
//   errorlog_probe twice     two LogError calls, exit code 0
//   errorlog_probe access    an access violation under the crash handler
//   errorlog_probe illegal   an exception code the record has no name for
//   errorlog_probe step      a single-step exception (trap flag)
// Before a crash it writes its own load address to "base.txt", in upper-case
// hex with two digits per byte of an address.
#include <windows.h>

#include <cstdint>
#include <cstdio>
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
    // The crash tests look for this base in the record's module list.
    if (FILE* file = fopen("base.txt", "wb")) {
        auto base = reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr));
        for (int shift = static_cast<int>(8 * sizeof base) - 4; shift >= 0; shift -= 4)
            fputc("0123456789ABCDEF"[(base >> shift) & 0xF], file);
        fclose(file);
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
