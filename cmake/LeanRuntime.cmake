# The Windows program is single-threaded, throws no exceptions and never asks an
# object for its type. Built with the C++ defaults it would still carry the
# runtime that serves those: exception tables and the personality routine bring
# the DWARF unwinder and std::terminate, whose verbose handler brings the
# demangler and MinGW's printf engine; the locks around local statics bring
# winpthread, and the exception runtime even when nothing else needs it.
# Together they were three quarters of the release.
#
# Type information is off for everything built for Windows, GoogleTest and the
# tests included: test classes derive from the program's window classes, and a
# class with type information needs it from its bases too.
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-fno-rtti>)

# Exceptions stay on for GoogleTest and the tests; the program and the libraries
# it is made of go without them. A 32-bit crash walks the frame chain, so no
# unwind tables are needed there; 64-bit exception dispatch reads the unwind data
# of every frame on its way to the crash handler, so the 64-bit build keeps them.
set(PIXMINT_LEAN_OPTIONS -fno-exceptions -fno-threadsafe-statics)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  list(APPEND PIXMINT_LEAN_OPTIONS -fno-asynchronous-unwind-tables -fno-unwind-tables)
endif()

# pixmint_lean_runtime(TARGET...): builds the targets' own sources that way.
function(pixmint_lean_runtime)
  foreach(target IN LISTS ARGN)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${PIXMINT_LEAN_OPTIONS}>)
  endforeach()
endfunction()
