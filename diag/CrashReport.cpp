// The unhandled-exception filter. It gathers the registers from the context
// record, reads code and stack bytes of its own process and enumerates the
// loaded modules; CrashRecord turns them into the record's text.
#include "diag/CrashReport.h"

#include <imagehlp.h>

#include "diag/CrashRecord.h"
#include "diag/ErrorLog.h"

namespace {

UINT savedErrorMode = 0;

// Every line and fragment is a record of its own: each reaches the file at once.
class LogSink : public CrashSink {
public:
    void Line(const char* text) override { LogLine("%s", text); }
    void Text(const char* text) override { LogText("%s", text); }
};

class ProcessMemory : public MemoryReader {
public:
    size_t Read(uint64_t address, void* buffer, size_t size) override {
        SIZE_T read = 0;
        ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<LPCVOID>(address), buffer, size,
                          &read);
        return read;
    }
};

#ifdef _WIN64
constexpr bool kWideAddresses = true;
using ModuleBase = DWORD64;

X64Registers RegistersOf(const CONTEXT& c) {
    X64Registers r = {};
    r.rax = c.Rax;
    r.rbx = c.Rbx;
    r.rcx = c.Rcx;
    r.rdx = c.Rdx;
    r.rsi = c.Rsi;
    r.rdi = c.Rdi;
    r.rbp = c.Rbp;
    r.rsp = c.Rsp;
    r.rip = c.Rip;
    r.r8 = c.R8;
    r.r9 = c.R9;
    r.r10 = c.R10;
    r.r11 = c.R11;
    r.r12 = c.R12;
    r.r13 = c.R13;
    r.r14 = c.R14;
    r.r15 = c.R15;
    r.eflags = c.EFlags;
    r.segCs = c.SegCs;
    r.segSs = c.SegSs;
    r.segDs = c.SegDs;
    r.segEs = c.SegEs;
    r.segFs = c.SegFs;
    r.segGs = c.SegGs;
    return r;
}
#else
constexpr bool kWideAddresses = false;
using ModuleBase = ULONG;

X86Registers RegistersOf(const CONTEXT& c) {
    X86Registers r = {};
    r.eax = c.Eax;
    r.ebx = c.Ebx;
    r.ecx = c.Ecx;
    r.edx = c.Edx;
    r.esi = c.Esi;
    r.edi = c.Edi;
    r.ebp = c.Ebp;
    r.esp = c.Esp;
    r.eip = c.Eip;
    r.eflags = c.EFlags;
    r.segCs = c.SegCs;
    r.segSs = c.SegSs;
    r.segDs = c.SegDs;
    r.segEs = c.SegEs;
    r.segFs = c.SegFs;
    r.segGs = c.SegGs;
    return r;
}
#endif

BOOL CALLBACK ListModule(PCSTR name, ModuleBase base, ULONG /*size*/, PVOID context) {
    static_cast<ModuleLister*>(context)->Module(name, base);
    return TRUE;
}

} // namespace

void InstallCrashHandler() {
    savedErrorMode =
        SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(MyExceptionsHandler);
}

void RestoreErrorMode() {
    SetErrorMode(savedErrorMode);
}

LONG WINAPI MyExceptionsHandler(EXCEPTION_POINTERS* pointers) {
    LogSink out;
    SYSTEMTIME now;
    GetLocalTime(&now);
    WriteCrashTime(out, now.wHour, now.wMinute, now.wSecond);
    if (pointers == nullptr) {
        WriteCrashFatal(out);
        FatalExit(3);
    }
    if (pointers->ContextRecord == nullptr || pointers->ExceptionRecord == nullptr)
        return EXCEPTION_EXECUTE_HANDLER;

    ProcessMemory memory;
    WriteCrashState(out, pointers->ExceptionRecord->ExceptionCode,
                    RegistersOf(*pointers->ContextRecord), memory);

    WriteModuleHeading(out);
    ModuleLister lister(out, kWideAddresses);
    EnumerateLoadedModules(GetCurrentProcess(), ListModule, &lister);
    return EXCEPTION_EXECUTE_HANDLER;
}
