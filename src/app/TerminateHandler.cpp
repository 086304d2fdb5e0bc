// The handler std::terminate calls: it names the exception that was not caught,
// without the C++ runtime's default handler and the demangler that handler needs.
#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <exception>

// The runtime's default handler, defined here under its own name: the linker then
// takes this one and leaves out the runtime's, which demangles the exception's
// type name and brings the whole demangler along (some 45 KB). If the runtime
// ever defined it beside something the program needs, the link would fail on
// the duplicate rather than silently keep both.
namespace __gnu_cxx {

void __verbose_terminate_handler() {
  // Never seen in the window: kept for a console or a debugger. The type's name
  // stays mangled, which is all that is needed to find it.
  if (const std::type_info* type = abi::__cxa_current_exception_type()) {
    std::fputs("terminate called after throwing an instance of ", stderr);
    std::fputs(type->name(), stderr);
    std::fputs("\n", stderr);
    try {
      throw;
    } catch (const std::exception& error) {
      std::fputs("  what():  ", stderr);
      std::fputs(error.what(), stderr);
      std::fputs("\n", stderr);
    } catch (...) {
    }
  } else {
    std::fputs("terminate called without an active exception\n", stderr);
  }
  std::abort();
}

}  // namespace __gnu_cxx
