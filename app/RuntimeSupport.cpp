// The few C++ runtime entry points the program itself needs, so that it links
// nothing from libstdc++ (which would bring std::terminate and what hangs on it).
// Only the program has them; the test programs keep the standard runtime.
//
// The text layout of Text... works with the standard library's vectors and
// strings. Its strings are compiled in here, and what would throw ends the
// program instead, as an exception that nothing catches would: the prebuilt
// ones of MinGW's libstdc++ would bring the exception runtime, the demangler
// and the printf engine, four times the program's own size.
#include <cstddef>
#include <cstdlib>
#include <string>

template class std::basic_string<char>;

namespace std {
void __throw_bad_alloc() {
    abort();
}
void __throw_bad_array_new_length() {
    abort();
}
void __throw_length_error(const char*) {
    abort();
}
void __throw_logic_error(const char*) {
    abort();
}
void __throw_out_of_range(const char*) {
    abort();
}
void __throw_out_of_range_fmt(const char*, ...) {
    abort();
}
void __throw_invalid_argument(const char*) {
    abort();
}
} // namespace std

void* operator new(std::size_t size) {
    void* block = malloc(size != 0 ? size : 1);
    if (block == nullptr)
        abort();
    return block;
}

void* operator new[](std::size_t size) {
    return operator new(size);
}

// Also called from the deleting destructors that every class with a virtual
// destructor has.
void operator delete(void* block) noexcept {
    free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    free(block);
}

void operator delete[](void* block) noexcept {
    free(block);
}

void operator delete[](void* block, std::size_t) noexcept {
    free(block);
}

// A call through a pure virtual slot is a fault in the program: it ends in an
// illegal instruction, which the crash handler records like any other crash.
extern "C" void __cxa_pure_virtual() {
    __builtin_trap();
}
