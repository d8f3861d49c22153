// A program built on the real WinMain without any application object.
#include <windows.h>

// Something for the linker to start from; the program has no code of its own.
int theUnusedValue = 0;
