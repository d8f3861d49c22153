// The text of a crash record, built from a register snapshot, a reader of the
// process's memory and the loaded modules. The record is a sequence of log
// lines and fragments; the sink decides where they go.
//
// The 32-bit program prints the x86 registers with 8 hex digits. The 64-bit
// program prints the same lines with the x64 registers (RAX for EAX, RIP for
// EIP and so on, plus R8 to R15), and 16 hex digits for every 64-bit register,
// address and stack word; the formatter has no 64-bit conversion, so those are
// printed as two 8-digit halves.
#pragma once

#include <cstddef>
#include <cstdint>

class TextString;

struct X86Registers {
    uint32_t eax, ebx, ecx, edx, esi, edi, ebp, esp, eip, eflags;
    uint32_t segCs, segSs, segDs, segEs, segFs, segGs;
};

struct X64Registers {
    uint64_t rax, rbx, rcx, rdx, rsi, rdi, rbp, rsp, rip;
    uint64_t r8, r9, r10, r11, r12, r13, r14, r15;
    uint32_t eflags;
    uint32_t segCs, segSs, segDs, segEs, segFs, segGs;
};

class CrashSink {
public:
    virtual void Line(const char* text) = 0;  // the text and a line end
    virtual void Text(const char* text) = 0;  // the text alone

protected:
    ~CrashSink() = default;
};

class MemoryReader {
public:
    // Copies up to size bytes from address; returns how many were copied.
    virtual size_t Read(uint64_t address, void* buffer, size_t size) = 0;

protected:
    ~MemoryReader() = default;
};

// "Access violation" and so on; "CODE 0x%0.8X" for a code without a name.
void FormatExceptionName(TextString& name, uint32_t code);

void WriteCrashTime(CrashSink& out, int hour, int minute, int second);
void WriteCrashFatal(CrashSink& out);  // the exception pointers were null
// The exception type, the register block, the code bytes around the faulting
// instruction and the top of the stack.
void WriteCrashState(CrashSink& out, uint32_t code, const X86Registers& registers,
                     MemoryReader& memory);
void WriteCrashState(CrashSink& out, uint32_t code, const X64Registers& registers,
                     MemoryReader& memory);
void WriteModuleHeading(CrashSink& out);

// Lists every module as the enumeration reports it, one line each with its
// base; the program itself comes first, so an address inside it can be mapped
// to its code although it loads at a different base each run.
class ModuleLister {
public:
    ModuleLister(CrashSink& out, bool wideAddresses) : out_(out), wide_(wideAddresses) {}
    void Module(const char* name, uint64_t base);

private:
    CrashSink& out_;
    bool wide_;
};
