#include "core/io/SharedLibrary.h"

#include <dlfcn.h>

namespace quom {

SharedLibrary::SharedLibrary(const char* soname)
    : handle_(::dlopen(soname, RTLD_NOW | RTLD_LOCAL))
{
    if (!handle_) {
        const char* why = ::dlerror();
        failure_ = why ? why : soname;
    }
}

SharedLibrary::~SharedLibrary()
{
    if (handle_)
        ::dlclose(handle_);
}

void* SharedLibrary::symbol(const char* name) const noexcept
{
    return handle_ ? ::dlsym(handle_, name) : nullptr;
}

} // namespace quom
