// The program is built without exceptions: nothing it calls is allowed to
// throw, and nothing catches. Where the C++ library would throw (out of
// memory, a length beyond a string's maximum), the program would end through
// std::terminate anyway; ending it directly keeps the unwinder, the exception
// classes, the name demangler and their tables out of the exe (see also
// string_instances.cpp and the compile options in cmake/windows.cmake).
#include <cstdlib> // defines __GLIBCXX__ when the library is GCC's
#include <new>

void* operator new(std::size_t size) {
    void* p = std::malloc(size ? size : 1);
    if (!p)
        std::abort();
    return p;
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
// The non-throwing form (std::stable_sort asks for its buffer this way): the
// library's own is compiled with exception handling.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size ? size : 1);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

#if defined(__GLIBCXX__)
// GCC's library reports its errors through these functions; they all end the
// program here instead of throwing.
namespace std {
void __throw_bad_exception() {
    abort();
}
void __throw_bad_alloc() {
    abort();
}
void __throw_bad_array_new_length() {
    abort();
}
void __throw_bad_cast() {
    abort();
}
void __throw_bad_typeid() {
    abort();
}
void __throw_logic_error(const char*) {
    abort();
}
void __throw_domain_error(const char*) {
    abort();
}
void __throw_invalid_argument(const char*) {
    abort();
}
void __throw_length_error(const char*) {
    abort();
}
void __throw_out_of_range(const char*) {
    abort();
}
void __throw_out_of_range_fmt(const char*, ...) {
    abort();
}
void __throw_runtime_error(const char*) {
    abort();
}
void __throw_range_error(const char*) {
    abort();
}
void __throw_overflow_error(const char*) {
    abort();
}
void __throw_underflow_error(const char*) {
    abort();
}
void __throw_system_error(int) {
    abort();
}
void __throw_bad_function_call() {
    abort();
}
} // namespace std

namespace __gnu_cxx {
// The default terminate handler would print the exception's demangled type.
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
#endif
