#include "diag/CrashRecord.h"

#include <initializer_list>

#include "support/TextString.h"

namespace {

uint32_t High(uint64_t value) {
    return static_cast<uint32_t>(value >> 32);
}

uint32_t Low(uint64_t value) {
    return static_cast<uint32_t>(value);
}

// Little-endian words from the bytes read, as the processor stores them.
uint64_t WordAt(const uint8_t* bytes, size_t size) {
    uint64_t word = 0;
    for (size_t i = size; i > 0; i--)
        word = (word << 8) | bytes[i - 1];
    return word;
}

// The register-specific parts of the record, for one processor.
struct Layout {
    int wide;            // 64-bit registers and addresses
    uint32_t segCs, segSs;
    uint64_t ip, sp;
};

void FormatAddress(TextString& out, const char* wideFormat, const char* narrowFormat, bool wide,
                   uint64_t address) {
    if (wide)
        out.Format(wideFormat, High(address), Low(address));
    else
        out.Format(narrowFormat, Low(address));
}

void WriteType(CrashSink& out, uint32_t code) {
    TextString name;
    FormatExceptionName(name, code);
    out.Text("Type exception: ");
    out.Line(name.text);
}

void WriteCodeBytes(CrashSink& out, const Layout& cpu, MemoryReader& memory) {
    constexpr size_t kWindow = 32;
    constexpr size_t kBefore = 16;
    uint8_t window[kWindow];
    uint64_t start = cpu.wide ? cpu.ip - kBefore : Low(cpu.ip - kBefore);
    size_t got = memory.Read(start, window, kWindow);
    if (got > kWindow)
        got = kWindow;

    TextString text;
    if (cpu.wide)
        text.Format("Byte's at address CS:RIP = %0.4X:%0.8X%0.8X", cpu.segCs, High(cpu.ip),
                    Low(cpu.ip));
    else
        text.Format("Byte's at address CS:EIP = %0.4X:%0.8X", cpu.segCs, Low(cpu.ip));
    out.Line(text.text);

    for (size_t offset = 0; offset < got; offset += 4) {
        if (offset == kBefore)
            FormatAddress(text, "0x%0.8X%0.8X: - >", "0x%0.8X: - >", cpu.wide, cpu.ip);
        else
            FormatAddress(text, "0x%0.8X%0.8X:    ", "0x%0.8X:    ", cpu.wide, start + offset);
        out.Text(text.text);
        // Only the bytes that were read: a short read ends the line early.
        for (size_t i = offset; i < offset + 4 && i < got; i++) {
            text.Format("%0.2X", window[i]);
            out.Text(text.text);
        }
        out.Text("\r\n");
    }
    out.Text("\r\n");
}

void WriteStackWords(CrashSink& out, const Layout& cpu, MemoryReader& memory) {
    constexpr size_t kWords = 16;
    const size_t wordSize = cpu.wide ? 8 : 4;
    uint8_t window[kWords * 8];
    size_t got = memory.Read(cpu.sp, window, kWords * wordSize);
    if (got > kWords * wordSize)
        got = kWords * wordSize;

    TextString text;
    if (cpu.wide)
        text.Format("Stack data \t  SS:RSP = %0.4X:%0.8X%0.8X", cpu.segSs, High(cpu.sp),
                    Low(cpu.sp));
    else
        text.Format("Stack data \t  SS:ESP = %0.4X:%0.8X", cpu.segSs, Low(cpu.sp));
    out.Line(text.text);

    size_t words = got / wordSize;
    for (size_t i = 0; i < words; i++) {
        uint64_t word = WordAt(window + i * wordSize, wordSize);
        if (cpu.wide)
            text.Format("%0.8X%0.8X ", High(word), Low(word));
        else
            text.Format("%0.8X ", Low(word));
        out.Text(text.text);
        if (i % 4 == 3)
            out.Text("\r\n");
    }
    out.Text("\r\n");
}

} // namespace

void FormatExceptionName(TextString& name, uint32_t code) {
    switch (code) {
    case 0x80000004:
        name.Assign("Critical error (In Debugger)");
        break;
    case 0xC0000005:
        name.Assign("Access violation");
        break;
    case 0xC0000008:
        name.Assign("Invalid Handle");
        break;
    case 0xC0000025:
        name.Assign("Critical error non continue");
        break;
    case 0xC000008C:
        name.Assign("Array of bounds");
        break;
    case 0xC000008E:
        name.Assign("Devide FLOAT by zero");
        break;
    case 0xC0000094:
        name.Assign("Devide INT by zero");
        break;
    case 0xC0000095:
        name.Assign("Integer overflow");
        break;
    case 0xC0000096:
        name.Assign("Privileged instruction");
        break;
    case 0xC00000FD:
        name.Assign("Stack overflow");
        break;
    default:
        name.Format("CODE 0x%0.8X", code);
        break;
    }
}

void WriteCrashTime(CrashSink& out, int hour, int minute, int second) {
    TextString text;
    text.Format("Time of exception: %0.2d:%0.2d:%0.2d", hour, minute, second);
    out.Line(text.text);
}

void WriteCrashFatal(CrashSink& out) {
    out.Line("Fatal Error in MyExceptionsHandler");
}

void WriteCrashState(CrashSink& out, uint32_t code, const X86Registers& registers,
                     MemoryReader& memory) {
    // A selector is 16 bits wide. The x86 context keeps each in a 32-bit field
    // whose upper half is not always cleared (a context captured by
    // RaiseException carries stale bits there), so only the low half counts.
    X86Registers r = registers;
    for (uint32_t* selector : {&r.segCs, &r.segSs, &r.segDs, &r.segEs, &r.segFs, &r.segGs})
        *selector &= 0xFFFF;
    WriteType(out, code);
    TextString text;
    text.Format("\r\nRegisters:\t\r\n"
                "EAX: 0x%0.8X CS: 0x%0.4X EIP: 0x%0.8X EFLGS: 0x%0.8X\t\r\n"
                "EBX: 0x%0.8X SS: 0x%0.4X ESP: 0x%0.8X   EBP: 0x%0.8X\t\r\n"
                "EC_X: 0x%0.8X DS: 0x%0.4X ESI: 0x%0.8X    FS: 0x%0.8X\t\r\n"
                "EDX: 0x%0.8X ES: 0x%0.4X EDI: 0x%0.8X    GS: 0x%0.8X\r\n",
                r.eax, r.segCs, r.eip, r.eflags, r.ebx, r.segSs, r.esp, r.ebp, r.ecx, r.segDs,
                r.esi, r.segFs, r.edx, r.segEs, r.edi, r.segGs);
    out.Line(text.text);
    Layout cpu{0, r.segCs, r.segSs, r.eip, r.esp};
    WriteCodeBytes(out, cpu, memory);
    WriteStackWords(out, cpu, memory);
}

void WriteCrashState(CrashSink& out, uint32_t code, const X64Registers& r, MemoryReader& memory) {
    WriteType(out, code);
    TextString text;
    text.Format("\r\nRegisters:\t\r\n"
                "RAX: 0x%0.8X%0.8X CS: 0x%0.4X RIP: 0x%0.8X%0.8X EFLGS: 0x%0.8X\t\r\n"
                "RBX: 0x%0.8X%0.8X SS: 0x%0.4X RSP: 0x%0.8X%0.8X   RBP: 0x%0.8X%0.8X\t\r\n"
                "RCX: 0x%0.8X%0.8X DS: 0x%0.4X RSI: 0x%0.8X%0.8X    FS: 0x%0.8X\t\r\n"
                "RDX: 0x%0.8X%0.8X ES: 0x%0.4X RDI: 0x%0.8X%0.8X    GS: 0x%0.8X\t\r\n"
                "R8:  0x%0.8X%0.8X R9:  0x%0.8X%0.8X R10: 0x%0.8X%0.8X R11: 0x%0.8X%0.8X\t\r\n"
                "R12: 0x%0.8X%0.8X R13: 0x%0.8X%0.8X R14: 0x%0.8X%0.8X R15: 0x%0.8X%0.8X\r\n",
                High(r.rax), Low(r.rax), r.segCs, High(r.rip), Low(r.rip), r.eflags,
                High(r.rbx), Low(r.rbx), r.segSs, High(r.rsp), Low(r.rsp), High(r.rbp), Low(r.rbp),
                High(r.rcx), Low(r.rcx), r.segDs, High(r.rsi), Low(r.rsi), r.segFs,
                High(r.rdx), Low(r.rdx), r.segEs, High(r.rdi), Low(r.rdi), r.segGs,
                High(r.r8), Low(r.r8), High(r.r9), Low(r.r9), High(r.r10), Low(r.r10),
                High(r.r11), Low(r.r11), High(r.r12), Low(r.r12), High(r.r13), Low(r.r13),
                High(r.r14), Low(r.r14), High(r.r15), Low(r.r15));
    out.Line(text.text);
    Layout cpu{1, r.segCs, r.segSs, r.rip, r.rsp};
    WriteCodeBytes(out, cpu, memory);
    WriteStackWords(out, cpu, memory);
}

void WriteModuleHeading(CrashSink& out) {
    out.Line("Load module's:");
}

void ModuleLister::Module(const char* name, uint64_t base) {
    TextString text;
    if (wide_)
        text.Format("%s \tbase: 0x%0.8X%0.8X", name, High(base), Low(base));
    else
        text.Format("%s \tbase: 0x%0.8X", name, Low(base));
    out_.Line(text.text);
}
