// pixmint-convert as a whole: one command line in, files and messages out.
#pragma once

#include <cstdio>

// Exit codes: 0 done, 1 the files could not be read or written, 2 the command
// line is wrong. Every failure is one line on err, after the program name.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

int RunConverter(int argc, const char* const* argv, FILE* out, FILE* err);
