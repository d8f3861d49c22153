// The few C++ runtime entry points the program itself needs, so that it links
// nothing from libstdc++ (which would bring std::terminate and what hangs on it).
// Only the program has them; the test programs keep the standard runtime. The
// allocation operators come with the standard library's strings, built lean
// in support/LeanStandardLibrary_win32.cpp.

// A call through a pure virtual slot is a fault in the program: it ends in an
// illegal instruction, which the crash handler records like any other crash.
extern "C" void __cxa_pure_virtual() {
    __builtin_trap();
}
