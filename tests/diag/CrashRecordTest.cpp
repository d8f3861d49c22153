#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "diag/CrashRecord.h"
#include "support/TextString.h"

namespace {

// What the log file would hold: a line gets its line end, a fragment none.
class FileImage : public CrashSink {
public:
    void Line(const char* text) override {
        file += text;
        file += "\r\n";
    }
    void Text(const char* text) override { file += text; }
    std::string file;
};

// One readable range of memory; reads stop at its end.
class FakeMemory : public MemoryReader {
public:
    FakeMemory(uint64_t base, size_t size) : base_(base), bytes_(size) {
        for (size_t i = 0; i < size; i++)
            bytes_[i] = static_cast<uint8_t>(i);
    }
    size_t Read(uint64_t address, void* buffer, size_t size) override {
        if (address < base_ || address >= base_ + bytes_.size())
            return 0;
        size_t offset = static_cast<size_t>(address - base_);
        size_t n = std::min(size, bytes_.size() - offset);
        memcpy(buffer, bytes_.data() + offset, n);
        return n;
    }

private:
    uint64_t base_;
    std::vector<uint8_t> bytes_;
};

X86Registers X86() {
    X86Registers r = {};
    r.eax = 0x11111111;
    r.ebx = 0x22222222;
    r.ecx = 0x33333333;
    r.edx = 0x44444444;
    r.esi = 0x55555555;
    r.edi = 0x66666666;
    r.ebp = 0x0012FF80;
    r.esp = 0x00400100;
    r.eip = 0x00401020;
    r.eflags = 0x00010246;
    r.segCs = 0x1B;
    r.segSs = 0x23;
    r.segDs = 0x23;
    r.segEs = 0x23;
    r.segFs = 0x3B;
    r.segGs = 0;
    return r;
}

TEST(CrashRecord, ExceptionNames) {
    const struct {
        uint32_t code;
        const char* text;
    } names[] = {
        {0x80000004, "Critical error (In Debugger)"}, {0xC0000005, "Access violation"},
        {0xC0000008, "Invalid Handle"},               {0xC0000025, "Critical error non continue"},
        {0xC000008C, "Array of bounds"},              {0xC000008E, "Devide FLOAT by zero"},
        {0xC0000094, "Devide INT by zero"},           {0xC0000095, "Integer overflow"},
        {0xC0000096, "Privileged instruction"},       {0xC00000FD, "Stack overflow"},
        {0xC000001D, "CODE 0xC000001D"},              {0x0000000A, "CODE 0x0000000A"},
    };
    for (const auto& name : names) {
        TextString text;
        FormatExceptionName(text, name.code);
        EXPECT_STREQ(text.text, name.text) << std::hex << name.code;
    }
}

TEST(CrashRecord, WholeRecordX86) {
    // Code memory from 0x00401000, stack from 0x00400100: both reads complete.
    FakeMemory code(0x00401000, 0x100);
    FileImage out;
    WriteCrashTime(out, 7, 8, 9);
    WriteCrashState(out, 0xC0000005, X86(), code);
    EXPECT_EQ(out.file,
              "Time of exception: 07:08:09\r\n"
              "Type exception: Access violation\r\n"
              "\r\nRegisters:\t\r\n"
              "EAX: 0x11111111 CS: 0x001B EIP: 0x00401020 EFLGS: 0x00010246\t\r\n"
              "EBX: 0x22222222 SS: 0x0023 ESP: 0x00400100   EBP: 0x0012FF80\t\r\n"
              "EC_X: 0x33333333 DS: 0x0023 ESI: 0x55555555    FS: 0x0000003B\t\r\n"
              "EDX: 0x44444444 ES: 0x0023 EDI: 0x66666666    GS: 0x00000000\r\n"
              "\r\n"
              "Byte's at address CS:EIP = 001B:00401020\r\n"
              "0x00401010:    10111213\r\n"
              "0x00401014:    14151617\r\n"
              "0x00401018:    18191A1B\r\n"
              "0x0040101C:    1C1D1E1F\r\n"
              "0x00401020: - >20212223\r\n"
              "0x00401024:    24252627\r\n"
              "0x00401028:    28292A2B\r\n"
              "0x0040102C:    2C2D2E2F\r\n"
              "\r\n"
              "Stack data \t  SS:ESP = 0023:00400100\r\n"
              "\r\n");
}

TEST(CrashRecord, StackWordsX86) {
    FakeMemory stack(0x00400100, 0x100);
    FileImage out;
    WriteCrashState(out, 0xC0000094, X86(), stack);
    size_t at = out.file.find("Stack data");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(out.file.substr(at),
              "Stack data \t  SS:ESP = 0023:00400100\r\n"
              "03020100 07060504 0B0A0908 0F0E0D0C \r\n"
              "13121110 17161514 1B1A1918 1F1E1D1C \r\n"
              "23222120 27262524 2B2A2928 2F2E2D2C \r\n"
              "33323130 37363534 3B3A3938 3F3E3D3C \r\n"
              "\r\n");
    // The code window lies outside the readable range: a heading and nothing else.
    EXPECT_NE(out.file.find("Byte's at address CS:EIP = 001B:00401020\r\n\r\nStack data"),
              std::string::npos);
}

TEST(CrashRecord, SelectorsKeepTheirFourDigitsWhateverTheUpperHalf) {
    X86Registers r = X86();
    r.segCs = 0x0066001B;  // stale upper halves, as a RaiseException context has them
    r.segSs = 0xFFFF0023;
    r.segDs = 0x00770023;
    r.segEs = 0x008C0023;
    r.segFs = 0x1234003B;
    r.segGs = 0xABCD0000;
    FakeMemory nothing(0, 0);
    FileImage out;
    WriteCrashState(out, 1, r, nothing);
    for (const char* part : {" CS: 0x001B EIP", " SS: 0x0023 ESP", " DS: 0x0023 ESI",
                             " ES: 0x0023 EDI", "FS: 0x0000003B\t", "GS: 0x00000000\r",
                             "CS:EIP = 001B:00401020", "SS:ESP = 0023:00400100"})
        EXPECT_NE(out.file.find(part), std::string::npos) << part << "\n" << out.file;
}

TEST(CrashRecord, ShortReadsPrintOnlyWhatWasRead) {
    X86Registers r = X86();
    r.eip = 0x00401018;  // the window reads 0x00401008 .. 0x00401027; 26 bytes exist
    r.esp = 0x004010F4;  // unreadable: no stack words
    FakeMemory memory(0x00401000, 0x22);
    FileImage out;
    WriteCrashState(out, 1, r, memory);
    EXPECT_NE(out.file.find("0x00401018: - >18191A1B\r\n"
                            "0x0040101C:    1C1D1E1F\r\n"
                            "0x00401020:    2021\r\n"
                            "\r\n"),
              std::string::npos)
        << out.file;

    FakeMemory stack(0x00400000, 0x10C);
    r.esp = 0x00400100;
    FileImage stackOut;
    WriteCrashState(stackOut, 1, r, stack);
    size_t at = stackOut.file.find("Stack data");
    EXPECT_EQ(stackOut.file.substr(at),
              "Stack data \t  SS:ESP = 0023:00400100\r\n"
              "03020100 07060504 0B0A0908 \r\n");
}

TEST(CrashRecord, WholeRecordX64) {
    X64Registers r = {};
    r.rax = 0x0123456789ABCDEFull;
    r.rbx = 2;
    r.rcx = 3;
    r.rdx = 4;
    r.rsi = 5;
    r.rdi = 6;
    r.rbp = 0x000000000022FF00ull;
    r.rsp = 0x0000000140001000ull;
    r.rip = 0x0000000140002010ull;
    r.r8 = 8;
    r.r9 = 9;
    r.r10 = 10;
    r.r11 = 11;
    r.r12 = 12;
    r.r13 = 13;
    r.r14 = 14;
    r.r15 = 0xFFFFFFFFFFFFFFFFull;
    r.eflags = 0x10246;
    r.segCs = 0x33;
    r.segSs = 0x2B;
    r.segDs = 0x2B;
    r.segEs = 0x2B;
    r.segFs = 0x53;
    r.segGs = 0x2B;
    // Code readable from 0x140002000, stack from 0x140001000: complete reads.
    FakeMemory memory(0x0000000140001000ull, 0x1100);
    FileImage out;
    WriteCrashTime(out, 23, 59, 1);
    WriteCrashState(out, 0xC000001D, r, memory);
    std::string code;
    for (int line = 0; line < 8; line++) {
        char head[64];
        uint64_t address = 0x140002000ull + line * 4;
        snprintf(head, sizeof head, line == 4 ? "0x%016llX: - >" : "0x%016llX:    ",
                 static_cast<unsigned long long>(address));
        code += head;
        for (int i = 0; i < 4; i++) {
            char byte[4];
            snprintf(byte, sizeof byte, "%02X", static_cast<unsigned>((0x1000 + line * 4 + i) & 0xFF));
            code += byte;
        }
        code += "\r\n";
    }
    EXPECT_EQ(out.file,
              "Time of exception: 23:59:01\r\n"
              "Type exception: CODE 0xC000001D\r\n"
              "\r\nRegisters:\t\r\n"
              "RAX: 0x0123456789ABCDEF CS: 0x0033 RIP: 0x0000000140002010 EFLGS: 0x00010246\t\r\n"
              "RBX: 0x0000000000000002 SS: 0x002B RSP: 0x0000000140001000   RBP: 0x000000000022FF00\t\r\n"
              "RCX: 0x0000000000000003 DS: 0x002B RSI: 0x0000000000000005    FS: 0x00000053\t\r\n"
              "RDX: 0x0000000000000004 ES: 0x002B RDI: 0x0000000000000006    GS: 0x0000002B\t\r\n"
              "R8:  0x0000000000000008 R9:  0x0000000000000009 R10: 0x000000000000000A R11: 0x000000000000000B\t\r\n"
              "R12: 0x000000000000000C R13: 0x000000000000000D R14: 0x000000000000000E R15: 0xFFFFFFFFFFFFFFFF\r\n"
              "\r\n"
              "Byte's at address CS:RIP = 0033:0000000140002010\r\n" +
                  code +
                  "\r\n"
                  "Stack data \t  SS:RSP = 002B:0000000140001000\r\n"
                  "0706050403020100 0F0E0D0C0B0A0908 1716151413121110 1F1E1D1C1B1A1918 \r\n"
                  "2726252423222120 2F2E2D2C2B2A2928 3736353433323130 3F3E3D3C3B3A3938 \r\n"
                  "4746454443424140 4F4E4D4C4B4A4948 5756555453525150 5F5E5D5C5B5A5958 \r\n"
                  "6766656463626160 6F6E6D6C6B6A6968 7776757473727170 7F7E7D7C7B7A7978 \r\n"
                  "\r\n");
}

// Every module is listed, the program's own (reported first) included, so that
// an address inside the program can be mapped to its code.
TEST(CrashRecord, ModuleListNamesEveryModuleWithItsBase) {
    FileImage out;
    WriteModuleHeading(out);
    ModuleLister lister(out, false);
    lister.Module("C:\\app\\pixmint.exe", 0x00DB0000);
    lister.Module("ntdll.dll", 0x7C900000);
    EXPECT_EQ(out.file,
              "Load module's:\r\n"
              "C:\\app\\pixmint.exe \tbase: 0x00DB0000\r\n"
              "ntdll.dll \tbase: 0x7C900000\r\n");

    FileImage wide;
    ModuleLister wideLister(wide, true);
    wideLister.Module("pixmint.exe", 0x00007FF6A2B40000ull);
    wideLister.Module("pixmint.exe", 0x00007FF6A2B40000ull); // each report is a line
    EXPECT_EQ(wide.file, "pixmint.exe \tbase: 0x00007FF6A2B40000\r\n"
                         "pixmint.exe \tbase: 0x00007FF6A2B40000\r\n");
}

} // namespace
