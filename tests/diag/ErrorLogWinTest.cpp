// Error.log on real files, and the files that whole processes leave behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "diag/ErrorLog.h"
#include "diag/LogFile.h"
#include "diag/LogRecords.h"
#include "support/TextString.h"

namespace {

std::string ReadWholeFile(const std::string& path) {
    std::string content;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return content;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        content.append(buffer, read);
    CloseHandle(file);
    return content;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

// A fresh directory under the temporary directory, removed with its files.
class TempDir {
public:
    TempDir() {
        char base[MAX_PATH];
        GetTempPathA(sizeof base, base);
        static int serial = 0;
        char name[MAX_PATH];
        snprintf(name, sizeof name, "%spixmint-log-%lu-%d", base, GetCurrentProcessId(), ++serial);
        path_ = name;
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TempDir() {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                DeleteFileA((path_ + "\\" + found.cFileName).c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(path_.c_str());
    }
    std::string File(const char* name) const { return path_ + "\\" + name; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

TEST(LogFile, WriteCountLimits) {
    TempDir dir;
    std::string path = dir.File("count.log");
    {
        LogFile file(path.c_str());
        ASSERT_TRUE(file.IsOpen());
        EXPECT_EQ(file.Write("abc", 4), 0);  // more than the text holds
        // A negative count is refused before anything reaches the file.
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(file.Write("abc", -1), 0);
        EXPECT_EQ(file.Write("abc", -2147483647 - 1), 0);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
        EXPECT_EQ(file.Write("abcdef", 2), 2);
        EXPECT_EQ(file.Write("xyz", 0), 3);
    }
    EXPECT_EQ(ReadWholeFile(path), "abxyz");
}

TEST(LogFile, OthersCanReadWhileItIsOpen) {
    TempDir dir;
    std::string path = dir.File("shared.log");
    LogFile file(path.c_str());
    ASSERT_TRUE(file.IsOpen());
    file.Write("written so far", 0);
    EXPECT_EQ(ReadWholeFile(path), "written so far");
}

TEST(LogFile, OpenFailsOnAMissingDirectory) {
    TempDir dir;
    std::string path = dir.File("missing\\x.log");
    LogFile file(path.c_str());
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.Write("lost", 0), 0);
    file.SeekEnd();
    file.Close();
}

TEST(AppendRecord, AppendsToTheEnd) {
    TempDir dir;
    std::string path = dir.File("append.log");
    TextString first("first\r\n");
    TextString second("second\r\n");
    AppendRecord(path.c_str(), first);
    AppendRecord(path.c_str(), second);
    std::string content = ReadWholeFile(path);
    ASSERT_GE(content.size(), 15u);
    EXPECT_EQ(content.substr(content.size() - 15), "first\r\nsecond\r\n");
}

TEST(AppendRecord, FailedOpenLosesTheRecordSilently) {
    TempDir dir;
    AppendRecord(dir.File("missing\\x.log").c_str(), TextString("lost\r\n"));
    EXPECT_FALSE(FileExists(dir.File("missing\\x.log")));

    // Another process's writer that does not share the file keeps the log out.
    std::string path = dir.File("held.log");
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(holder, "held", 4, &written, nullptr);
    AppendRecord(path.c_str(), TextString("lost\r\n"));
    CloseHandle(holder);
    EXPECT_EQ(ReadWholeFile(path), "held");
}

// Runs the probe program in a fresh directory and keeps what it left there.
class ProbeRun {
public:
    explicit ProbeRun(const char* mode) {
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, sizeof self);
        std::string program = self;
        program = program.substr(0, program.find_last_of('\\') + 1) + "errorlog_probe.exe";
        std::string commandLine = "\"" + program + "\" " + mode;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                            dir_.Path().c_str(), &startup, &process))
            return;
        started = true;
        // An error dialog would keep the process alive; it must end by itself.
        if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0) {
            ended = true;
            GetExitCodeProcess(process.hProcess, &exitCode);
        } else {
            TerminateProcess(process.hProcess, 1);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        log = ReadWholeFile(dir_.File("Error.log"));
        lines = Lines(log);
        base = ReadWholeFile(dir_.File("base.txt"));
    }
    bool started = false;
    bool ended = false;
    DWORD exitCode = 0;
    std::string log;
    std::vector<std::string> lines;
    std::string base;  // the probe's own load address, as the record prints it

private:
    TempDir dir_;
};

bool IsTime(const std::string& text) {
    return text.size() == 8 && text[2] == ':' && text[5] == ':' &&
           text.find_first_not_of("0123456789:") == std::string::npos;
}

// Checks the header block and returns the index of the line after it.
size_t CheckHeader(const std::vector<std::string>& lines) {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    char os[128];
    if (version.dwMajorVersion >= 5)
        snprintf(os, sizeof os, "OS: %s ver %lu.%lu Build %lu",
                 OperatingSystemName(version.dwPlatformId), version.dwMajorVersion,
                 version.dwMinorVersion, version.dwBuildNumber);
    else
        snprintf(os, sizeof os, "OS: %s ver %lu.%lu", OperatingSystemName(version.dwPlatformId),
                 version.dwMajorVersion, version.dwMinorVersion);

    EXPECT_GE(lines.size(), 7u);
    if (lines.size() < 7)
        return lines.size();
    EXPECT_EQ(lines[0], "Information for debug");
    EXPECT_EQ(lines[1], os);
    EXPECT_EQ(lines[2], "Programme name: errorlog_probe.exe");
    EXPECT_EQ(lines[3].substr(0, 27), "File: Error.log is created ");
    EXPECT_EQ(lines[3].size(), 27u + 10 + 4 + 8) << lines[3];
    size_t next = 4;
    if (lines[next].rfind("User name: ", 0) == 0)
        next++;
    EXPECT_EQ(lines[next], "");
    EXPECT_EQ(lines[next + 1], "Release version:");
    return next + 2;
}

// Started as a file association starts a program, with a quoted argument: the
// header still names the program.
TEST(ErrorLogProcess, TwoErrorsGiveOneHeaderAndTwoLines) {
    ProbeRun run("twice \"C:\\pics\\a.bin\"");
    ASSERT_TRUE(run.started);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u);
    size_t at = CheckHeader(run.lines);
    ASSERT_EQ(run.lines.size(), at + 2) << run.log;
    EXPECT_TRUE(IsTime(run.lines[at].substr(0, 8)));
    EXPECT_EQ(run.lines[at].substr(8), " first failure,error code: 5");
    EXPECT_TRUE(IsTime(run.lines[at + 1].substr(0, 8)));
    EXPECT_EQ(run.lines[at + 1].substr(8), " second failure here");
    EXPECT_EQ(run.log.substr(run.log.size() - 2), "\r\n");
}

// A line fits a pattern of the same length whose characters it equals, except
// that '#' stands for one upper-case hex digit.
bool Fits(const std::string& line, const std::string& pattern) {
    if (line.size() != pattern.size())
        return false;
    for (size_t i = 0; i < line.size(); i++) {
        bool digit = (line[i] >= '0' && line[i] <= '9') || (line[i] >= 'A' && line[i] <= 'F');
        if (pattern[i] == '#' ? !digit : line[i] != pattern[i])
            return false;
    }
    return true;
}

std::string Digits(int count) {
    return std::string(count, '#');
}

std::string HexOf(uint64_t value, int digits) {
    std::string text(digits, '0');
    for (int i = digits - 1; i >= 0; i--, value >>= 4)
        text[i] = "0123456789ABCDEF"[value & 15];
    return text;
}

// The hex number that follows label in line.
uint64_t ValueAfter(const std::string& line, const std::string& label) {
    size_t at = line.find(label);
    return at == std::string::npos ? 0 : strtoull(line.c_str() + at + label.size(), nullptr, 16);
}

// What the record looks like for the processor this program was built for:
// the x86 registers with 8-digit addresses, or the x64 ones with 16 digits.
#ifdef _WIN64
const int kAddress = 16;
const std::string kIp = "RIP", kSp = "RSP";
std::vector<std::string> RegisterLines() {
    const std::string q = "0x" + Digits(16), w = "0x" + Digits(4), d = "0x" + Digits(8);
    return {"RAX: " + q + " CS: " + w + " RIP: " + q + " EFLGS: " + d + "\t",
            "RBX: " + q + " SS: " + w + " RSP: " + q + "   RBP: " + q + "\t",
            "RCX: " + q + " DS: " + w + " RSI: " + q + "    FS: " + d + "\t",
            "RDX: " + q + " ES: " + w + " RDI: " + q + "    GS: " + d + "\t",
            "R8:  " + q + " R9:  " + q + " R10: " + q + " R11: " + q + "\t",
            "R12: " + q + " R13: " + q + " R14: " + q + " R15: " + q};
}
#else
const int kAddress = 8;
const std::string kIp = "EIP", kSp = "ESP";
std::vector<std::string> RegisterLines() {
    const std::string d = "0x" + Digits(8), w = "0x" + Digits(4);
    return {"EAX: " + d + " CS: " + w + " EIP: " + d + " EFLGS: " + d + "\t",
            "EBX: " + d + " SS: " + w + " ESP: " + d + "   EBP: " + d + "\t",
            "EC_X: " + d + " DS: " + w + " ESI: " + d + "    FS: " + d + "\t",
            "EDX: " + d + " ES: " + w + " EDI: " + d + "    GS: " + d};
}
#endif

// Checks a whole crash record line by line.
void CheckCrashRecord(const ProbeRun& run, const char* type) {
    const std::vector<std::string>& lines = run.lines;
    const std::vector<std::string> registers = RegisterLines();
    size_t i = CheckHeader(lines);
    ASSERT_GT(lines.size(), i + 23 + registers.size()) << run.log;
    EXPECT_EQ(lines[i].substr(0, 19), "Time of exception: ");
    EXPECT_TRUE(IsTime(lines[i].substr(19)));
    EXPECT_EQ(lines[++i], std::string("Type exception: ") + type);
    EXPECT_EQ(lines[++i], "");
    EXPECT_EQ(lines[++i], "Registers:\t");
    for (const std::string& pattern : registers)
        EXPECT_TRUE(Fits(lines[++i], pattern)) << "'" << lines[i] << "'\nis not\n'" << pattern << "'";
    const std::string& first = lines[i - registers.size() + 1];
    const std::string& second = lines[i - registers.size() + 2];
    const uint64_t cs = ValueAfter(first, " CS: 0x"), ip = ValueAfter(first, kIp + ": 0x");
    const uint64_t ss = ValueAfter(second, " SS: 0x"), sp = ValueAfter(second, kSp + ": 0x");
    EXPECT_EQ(lines[++i], "");  // the block's own line end and the line's

    EXPECT_EQ(lines[++i],
              "Byte's at address CS:" + kIp + " = " + HexOf(cs, 4) + ":" + HexOf(ip, kAddress));
    for (int line = 0; line < 8; line++) {
        const std::string head = "0x" + HexOf(ip - 16 + 4 * line, kAddress);
        EXPECT_TRUE(Fits(lines[++i], head + (line == 4 ? ": - >" : ":    ") + Digits(8)))
            << "code line " << line << ": " << lines[i];
    }
    EXPECT_EQ(lines[++i], "");

    EXPECT_EQ(lines[++i],
              "Stack data \t  SS:" + kSp + " = " + HexOf(ss, 4) + ":" + HexOf(sp, kAddress));
    const std::string word = Digits(kAddress) + " ";
    for (int line = 0; line < 4; line++)
        EXPECT_TRUE(Fits(lines[++i], word + word + word + word)) << lines[i];
    EXPECT_EQ(lines[++i], "");

    EXPECT_EQ(lines[++i], "Load module's:");
    // The probe itself comes first, with the base it was loaded at.
    ASSERT_LT(++i, lines.size());
    ASSERT_TRUE(Fits(run.base, Digits(kAddress))) << run.base;
    const std::string own = " \tbase: 0x" + run.base;
    ASSERT_GE(lines[i].size(), own.size()) << lines[i];
    EXPECT_EQ(lines[i].substr(lines[i].size() - own.size()), own) << lines[i];
    EXPECT_NE(lines[i].find("errorlog_probe"), std::string::npos) << lines[i];
    const std::string base = " \tbase: 0x" + Digits(kAddress);
    size_t modules = 0;
    for (++i; i < lines.size(); ++i, ++modules) {
        const std::string& text = lines[i];
        EXPECT_TRUE(text.size() > base.size() &&
                    Fits(text.substr(text.size() - base.size()), base)) << text;
        EXPECT_EQ(text.find("errorlog_probe"), std::string::npos) << text;
    }
    EXPECT_GT(modules, 0u);
}

TEST(CrashReport, AccessViolation) {
    ProbeRun run("access");
    ASSERT_TRUE(run.started);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0xC0000005u);
    CheckCrashRecord(run, "Access violation");
}

TEST(CrashReport, CodeWithoutAName) {
    ProbeRun run("illegal");
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0xC000001Du);
    CheckCrashRecord(run, "CODE 0xC000001D");
}

TEST(CrashReport, SingleStep) {
    ProbeRun run("step");
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0x80000004u);
    CheckCrashRecord(run, "Critical error (In Debugger)");
}

} // namespace
