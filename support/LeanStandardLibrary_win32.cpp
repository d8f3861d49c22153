// The parts of the C++ standard library that the Windows programs use, built
// the way they are: without exceptions (the editor's strings are those of the
// image decoders' messages, which it does not show). The prebuilt std::string of
// MinGW's libstdc++ throws, and linking it brings the exception runtime, the
// demangler and MinGW's printf engine, four times the program's own size.
// Here a failed allocation or a string grown past its maximum ends the
// program, as an exception that nothing catches would.
#include <cstdlib>
#include <new>
#include <string>

template class std::basic_string<char>;

namespace std {
void __throw_bad_alloc() {
    std::abort();
}
void __throw_bad_array_new_length() {
    std::abort();
}
void __throw_length_error(const char*) {
    std::abort();
}
void __throw_logic_error(const char*) {
    std::abort();
}
void __throw_out_of_range(const char*) {
    std::abort();
}
void __throw_out_of_range_fmt(const char*, ...) {
    std::abort();
}
void __throw_invalid_argument(const char*) {
    std::abort();
}
} // namespace std

void* operator new(std::size_t size) {
    void* block = std::malloc(size != 0 ? size : 1);
    if (block == nullptr)
        std::abort();
    return block;
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
