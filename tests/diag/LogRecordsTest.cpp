#include <gtest/gtest.h>

#include <string>

#include "diag/LogRecords.h"
#include "support/TextString.h"

namespace {

class Collect : public PieceWriter {
public:
    void Write(const TextString& piece) override {
        pieces++;
        all += piece.text;
    }
    int pieces = 0;
    std::string all;
};

SystemFacts Facts() {
    SystemFacts facts = {};
    facts.platformId = 2;
    facts.majorVersion = 5;
    facts.minorVersion = 1;
    facts.buildNumber = 2600;
    facts.programFileName = "pixmint.exe";
    facts.logPath = "Error.log";
    facts.created = LogClock{2004, 3, 7, 9, 5, 3};
    facts.userLineWanted = 1;
    facts.userName = "Anna";
    return facts;
}

std::string Header(const SystemFacts& facts, int* pieces = nullptr) {
    Collect out;
    WriteLogHeader(facts, out);
    if (pieces)
        *pieces = out.pieces;
    return out.all;
}

TEST(LogHeader, WholeBlock) {
    int pieces = 0;
    EXPECT_EQ(Header(Facts(), &pieces),
              "Information for debug\r\n"
              "OS: Windows NT ver 5.1 Build 2600\r\n"
              "Programme name: pixmint.exe\r\n"
              "File: Error.log is created 07/03/2004 at 09:05:03\r\n"
              "User name: Anna\r\n"
              "\r\n"
              "Release version:\r\n");
    EXPECT_EQ(pieces, 5);
}

TEST(LogHeader, BuildNumberOnlyFromVersion5) {
    SystemFacts facts = Facts();
    facts.platformId = 1;
    facts.majorVersion = 4;
    facts.minorVersion = 10;
    facts.buildNumber = 0x040A07CE;
    std::string header = Header(facts);
    EXPECT_EQ(header.substr(0, header.find("Programme")),
              "Information for debug\r\nOS: Windows ver 4.10\r\n");

    facts.majorVersion = 10;
    facts.minorVersion = 0;
    facts.buildNumber = 19045;
    EXPECT_NE(Header(facts).find("OS: Windows ver 10.0 Build 19045\r\n"), std::string::npos);
}

TEST(LogHeader, OperatingSystemNames) {
    EXPECT_STREQ(OperatingSystemName(1), "Windows");
    EXPECT_STREQ(OperatingSystemName(2), "Windows NT");
    EXPECT_STREQ(OperatingSystemName(3), "Unknown OS");
    EXPECT_STREQ(OperatingSystemName(0), "Unknown OS");
    EXPECT_STREQ(OperatingSystemName(77), "Unknown OS");
}

TEST(LogHeader, UserNameLine) {
    SystemFacts facts = Facts();
    facts.userLineWanted = 0;
    int pieces = 0;
    std::string header = Header(facts, &pieces);
    EXPECT_EQ(header.find("User name"), std::string::npos);
    EXPECT_EQ(pieces, 4);

    facts.userLineWanted = 1;
    facts.userName = nullptr;  // the name could not be read
    EXPECT_NE(Header(facts).find("\r\nUser name: (unknown)\r\n\r\nRelease version:\r\n"),
              std::string::npos);
}

TEST(LogHeader, LibraryVersionCheck) {
    EXPECT_EQ(VersionAtLeast(4, 0, 4, 0), 1);
    EXPECT_EQ(VersionAtLeast(6, 0, 4, 0), 1);
    EXPECT_EQ(VersionAtLeast(3, 99, 4, 0), 0);
    // A later major version passes whatever its minor version.
    EXPECT_EQ(VersionAtLeast(5, 0, 4, 71), 1);
    EXPECT_EQ(VersionAtLeast(4, 70, 4, 71), 0);
    EXPECT_EQ(VersionAtLeast(4, 71, 4, 71), 1);
    EXPECT_EQ(VersionAtLeast(0x80000000u, 0, 4, 0), 1);  // compared unsigned
}

std::string Record(void (*build)(TextString&, const char*, va_list), const char* format, ...) {
    TextString record("stale");
    va_list args;
    va_start(args, format);
    build(record, format, args);
    va_end(args);
    return record.text;
}

std::string ErrorRecord(const LogClock& now, const char* format, ...) {
    TextString record("stale");
    va_list args;
    va_start(args, format);
    FormatErrorRecord(record, now, format, args);
    va_end(args);
    return record.text;
}

TEST(LogRecord, ThreeKinds) {
    EXPECT_EQ(Record(FormatLineRecord, "Time of exception: %0.2d:%0.2d:%0.2d", 23, 0, 9),
              "Time of exception: 23:00:09\r\n");
    EXPECT_EQ(Record(FormatTextRecord, "%0.2X", 0x0F), "0F");
    EXPECT_EQ(Record(FormatTextRecord, "Type exception: "), "Type exception: ");
    EXPECT_EQ(ErrorRecord(LogClock{2024, 1, 2, 9, 5, 3}, "RegisterClass(%s),error code: %d",
                          "__ScreenA50__", 1410),
              "09:05:03 RegisterClass(__ScreenA50__),error code: 1410\r\n");
}

TEST(LogRecord, LongErrorTextIsCutWithTheFormatterLimit) {
    std::string message(1100, 'm');
    std::string record = ErrorRecord(LogClock{2024, 1, 2, 10, 11, 12}, "%s", message.c_str());
    EXPECT_EQ(record.size(), 1023u);
    EXPECT_EQ(record.substr(0, 10), "10:11:12 m");
}

} // namespace
