// From GCC 13 on, libstdc++ leaves basic_string's out-of-line replace step to its own explicit
// instantiation even in C++20, so one insert into a wide string (an operator+) links in the
// library's whole wide-string object, whose functions share one section that --gc-sections
// cannot trim: about 29 KiB, an eighth of the program. Instantiated here, that one function
// comes alone, and the linker no longer looks for the library's.
#include <string> // defines __GLIBCXX__ where libstdc++ is the library

#if defined(__GLIBCXX__)
#if _GLIBCXX_RELEASE >= 13 && _GLIBCXX_USE_CXX11_ABI
template void std::wstring::_M_replace_cold(wchar_t*, std::wstring::size_type, const wchar_t*,
                                            std::wstring::size_type, std::wstring::size_type);
#endif
#endif
