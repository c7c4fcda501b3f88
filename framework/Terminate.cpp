// The C++ library's default terminate handler prints the type of the exception that
// ended the program, demangled, and so drags the whole demangler into the executable.
// A dialog program has no console to print it to: ending at once says as much.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
