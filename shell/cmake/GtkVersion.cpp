// Run by the build: prints the version of the toolkit library on the build
// machine ("3.24.38"), which the program then requires at start-up. The
// toolkit comes in with wx, so its functions are looked up at run time.
#include <cstdio>
#include <dlfcn.h>

int main()
{
    void* p_library = dlopen("libgtk-3.so.0", RTLD_LAZY);
    if (p_library == nullptr)
        return 1;
    using VersionPart = unsigned (*)();
    const auto f_major = reinterpret_cast<VersionPart>(dlsym(p_library, "gtk_get_major_version"));
    const auto f_minor = reinterpret_cast<VersionPart>(dlsym(p_library, "gtk_get_minor_version"));
    const auto f_micro = reinterpret_cast<VersionPart>(dlsym(p_library, "gtk_get_micro_version"));
    if (f_major == nullptr || f_minor == nullptr || f_micro == nullptr)
        return 1;
    std::printf("%u.%u.%u", f_major(), f_minor(), f_micro());
    return 0;
}
