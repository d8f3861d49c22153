// pixmint-convert: the command-line companion of the editor.
#include <cstdio>

#include "convert/Converter.h"

int main(int argc, char** argv) { return RunConverter(argc, argv, stdout, stderr); }
