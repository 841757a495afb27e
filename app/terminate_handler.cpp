// A window program has no console for libstdc++'s default terminate handler to print to, and
// that handler links in the C++ name demangler and printf: about a quarter of the program.
// The window's boundary catches every exception, so terminate means a broken invariant: abort
// at once.
#include <cstdlib> // defines __GLIBCXX__ where libstdc++ is the library

#if defined(__GLIBCXX__)
namespace __gnu_cxx {
// NOLINTNEXTLINE(bugprone-reserved-identifier): replaces the library's own definition
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
#endif
