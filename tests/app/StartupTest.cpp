// Start-up and exit of programs built on the real WinMain: each runs in its
// own scratch working directory, and its exit code, Error.log and report are
// checked here.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ui/framework/FrameworkTestSupport.h"

namespace {

std::string ProgramPath(const char* name) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    return path.substr(0, path.find_last_of("\\/") + 1) + name;
}

// Runs the program with the given arguments in `directory`; its exit code, or
// -1 when it could not be started or did not end in time.
long RunProgram(const char* name, const std::string& arguments, const std::string& directory) {
    std::string commandLine = "\"" + ProgramPath(name) + "\"" + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process = {};
    // The child gets the default error mode, not this process's.
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE,
                        CREATE_DEFAULT_ERROR_MODE, nullptr, directory.c_str(), &startup, &process))
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(code);
}

size_t Count(const std::string& text, const std::string& what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

std::string Line(const std::string& report, const std::string& key) {
    std::string text = "\n" + report;
    size_t at = text.find("\n" + key + ": ");
    if (at == std::string::npos)
        return "(no " + key + ")";
    size_t start = at + key.size() + 3;
    return text.substr(start, text.find('\n', start) - start);
}

TEST(StartupTest, WithoutAnApplicationObjectTheProgramLogsAndExitsWithOne) {
    ScratchWorkingDir scratch("startup_none");
    WriteWholeFile(scratch.File("Error.log"), "left from an earlier run\r\n");
    EXPECT_EQ(1, RunProgram("startup_no_app.exe", "", scratch.Path()));
    std::string log = ReadWholeFile(scratch.File("Error.log"));
    EXPECT_EQ(std::string::npos, log.find("earlier run"));
    EXPECT_EQ(1u, Count(log, " WinMain: class Main==NULL,error code: ")) << log;
    EXPECT_EQ(0u, log.find("Information for debug\r\n")) << log;
}

TEST(StartupTest, TheApplicationRunsWithAFreshLogAndItsOwnErrorMode) {
    ScratchWorkingDir scratch("startup_app");
    WriteWholeFile(scratch.File("Error.log"), "left from an earlier run\r\n");
    EXPECT_EQ(23, RunProgram("startup_app.exe", "", scratch.Path()));
    std::string report = ReadWholeFile(scratch.File("startup.txt"));
    SCOPED_TRACE(report);
    // Error.log, the old one and the static second object's record, went before Run.
    EXPECT_EQ("absent", Line(report, "log at run"));
    EXPECT_EQ("this", Line(report, "main instance"));
    EXPECT_EQ("this", Line(report, "main instance with a late object"));
    EXPECT_EQ("module", Line(report, "instance"));
    EXPECT_EQ("[]", Line(report, "command line"));
    EXPECT_EQ("loaded", Line(report, "common controls"));
    std::string before = Line(report, "error mode before");
    EXPECT_NE("8003", before);
    EXPECT_EQ("8003", Line(report, "error mode after construction"));
    EXPECT_EQ("8003", Line(report, "error mode in run"));
    EXPECT_EQ("8003", Line(report, "error mode after refused objects"));
    EXPECT_EQ(before, Line(report, "error mode at exit"));
    EXPECT_EQ("cleared", Line(report, "context at exit")); // the run frame is gone by then
    // Only the object refused during the run left a record. The static one
    // took the header with it: the header is written once per process.
    std::string log = ReadWholeFile(scratch.File("Error.log"));
    EXPECT_EQ(std::string::npos, log.find("earlier run"));
    EXPECT_EQ(1u, Count(log, " class Main is only one!,error code: ")) << log;
    EXPECT_EQ(std::string::npos, log.find("Information for debug")) << log;
}

TEST(StartupTest, TheCommandLineIsKeptAndChangesNothingElse) {
    ScratchWorkingDir plain("startup_plain");
    ScratchWorkingDir withArguments("startup_args");
    ASSERT_EQ(23, RunProgram("startup_app.exe", "", plain.Path()));
    ASSERT_EQ(23, RunProgram("startup_app.exe", " -x  \"two words\" /y", withArguments.Path()));
    std::string first = ReadWholeFile(plain.File("startup.txt"));
    std::string second = ReadWholeFile(withArguments.File("startup.txt"));
    EXPECT_EQ("[-x  \"two words\" /y]", Line(second, "command line"));
    std::string marker = "command line: ";
    auto withoutCommandLine = [&](const std::string& report) {
        size_t at = report.find(marker);
        return report.substr(0, at) + report.substr(report.find('\n', at));
    };
    EXPECT_EQ(withoutCommandLine(first), withoutCommandLine(second));
}

} // namespace
