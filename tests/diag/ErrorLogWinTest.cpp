// Error.log on real files, and the files that whole processes leave behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
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

bool IsHex(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789ABCDEF") == std::string::npos;
}

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

// Checks a whole crash record line by line.
void CheckCrashRecord(const ProbeRun& run, const char* type) {
    const std::vector<std::string>& lines = run.lines;
    size_t i = CheckHeader(lines);
    ASSERT_GT(lines.size(), i + 40) << run.log;
    EXPECT_EQ(lines[i].substr(0, 19), "Time of exception: ");
    EXPECT_TRUE(IsTime(lines[i].substr(19)));
    EXPECT_EQ(lines[++i], std::string("Type exception: ") + type);
    EXPECT_EQ(lines[++i], "");
    EXPECT_EQ(lines[++i], "Registers:\t");
    const char* heads[] = {"RAX: 0x", "RBX: 0x", "RCX: 0x", "RDX: 0x", "R8:  0x", "R12: 0x"};
    std::string rip;
    for (const char* head : heads) {
        ++i;
        EXPECT_EQ(lines[i].substr(0, 7), head);
        if (std::string(head) == "RAX: 0x")
            rip = lines[i].substr(lines[i].find("RIP: 0x") + 7, 16);
    }
    EXPECT_TRUE(IsHex(rip)) << rip;
    EXPECT_EQ(lines[++i], "");  // the block's own line end and the line's
    EXPECT_EQ(lines[++i].substr(0, 31), "Byte's at address CS:RIP = 0033");
    EXPECT_EQ(lines[i].substr(32), rip);
    for (int line = 0; line < 8; line++) {
        const std::string& text = lines[++i];
        ASSERT_EQ(text.size(), 2u + 16 + 5 + 8) << text;
        EXPECT_EQ(text.substr(18, 5), line == 4 ? ": - >" : ":    ") << text;
        EXPECT_TRUE(IsHex(text.substr(23, 8))) << text;
        if (line == 4) {
            EXPECT_EQ(text.substr(2, 16), rip);
        }
    }
    EXPECT_EQ(lines[++i], "");
    EXPECT_EQ(lines[++i].substr(0, 24), "Stack data \t  SS:RSP = 0");
    for (int line = 0; line < 4; line++) {
        const std::string& text = lines[++i];
        ASSERT_EQ(text.size(), 4u * 17) << text;
        for (int word = 0; word < 4; word++) {
            EXPECT_TRUE(IsHex(text.substr(word * 17, 16))) << text;
            EXPECT_EQ(text[word * 17 + 16], ' ');
        }
    }
    EXPECT_EQ(lines[++i], "");
    EXPECT_EQ(lines[++i], "Load module's:");
    // The probe itself comes first, with the base it was loaded at.
    ASSERT_LT(++i, lines.size());
    ASSERT_TRUE(IsHex(run.base)) << run.base;
    std::string base = " \tbase: 0x" + run.base;
    ASSERT_GE(lines[i].size(), base.size()) << lines[i];
    EXPECT_EQ(lines[i].substr(lines[i].size() - base.size()), base) << lines[i];
    EXPECT_NE(lines[i].find("errorlog_probe"), std::string::npos) << lines[i];
    size_t modules = 0;
    for (++i; i < lines.size(); ++i, ++modules) {
        EXPECT_NE(lines[i].find(" \tbase: 0x"), std::string::npos) << lines[i];
        EXPECT_EQ(lines[i].find("errorlog_probe"), std::string::npos) << lines[i];
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
