// The document named on the program's command line: the first item after the
// program's path, in double quotes or up to the first blank.
#pragma once

#include "support/TextString.h"

// The first item of arguments (the command line without the program's path),
// without its quotes; empty when there is none. An unclosed quote runs to the
// end.
TextString FirstCommandLineItem(const char* arguments);

// All of arguments without the blanks around it: what an unquoted path with
// blanks in it was meant to be.
TextString WholeCommandLine(const char* arguments);
