// The program throws no exceptions. GCC's default terminate handler would
// link in the C++ name demangler to print an exception's type that this GUI
// program has no console to print to; a plain abort serves it the same.
#include <cstdlib> // defines __GLIBCXX__ when the library is GCC's

#if defined(__GLIBCXX__)
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
#endif
