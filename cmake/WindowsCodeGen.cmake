# How every Windows object is compiled and linked, the shared core included.
add_link_options(-static -static-libgcc -static-libstdc++)
# Small programs: every function and datum in a section of its own, so the linker
# drops what nothing reaches (on x86_64 it keeps every function with unwind
# tables, which its default script holds on to). All the programs' code runs on
# their one UI thread (COM calls back on the apartment's thread), so local
# statics need no lock, nor the runtime's locking code.
add_compile_options(-ffunction-sections -fdata-sections -fno-threadsafe-statics)
# No run-time type information: every polymorphic class would carry its type's
# name and description, and the code nothing asks for (about 12 KB); the few
# questions of class are virtual functions. Constructors and destructors each
# in their own symbols, not one shared body copied into every object that uses it.
add_compile_options(-fno-rtti -fno-declone-ctor-dtor)
# No local copies of library functions with reshaped arguments: each object
# would carry its own clone of the string code it calls (about 8 KB in all).
add_compile_options(-fno-ipa-sra)
add_link_options(-Wl,--gc-sections)
add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX WIN32_LEAN_AND_MEAN UNICODE _UNICODE)
# Functions packed end to end instead of each padded to 16 bytes (about 7 KB).
set(CMAKE_CXX_COMPILER_LAUNCHER bash ${CMAKE_SOURCE_DIR}/cmake/PackCodeSections.sh)
