// The two string classes the program uses, instantiated here rather than
// taken from the C++ library's archive: the library's copies come with
// unwind tables and pull in the exception runtime (personality routine,
// unwinder), a third of the exe's code. Compiled like the rest of the program
// (no exceptions, no unwind tables, unused members dropped by the linker).
#include <string>

template class std::basic_string<char>;
template class std::basic_string<wchar_t>;
