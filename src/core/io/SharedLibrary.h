#pragma once

#include <string>

// A shared library opened when first needed rather than linked: Quom's command line
// starts without loading the codecs a project of wave files never uses.
namespace quom {

class SharedLibrary {
public:
    // Opens soname once; a library that is not installed leaves the object unopened,
    // with the loader's reason in failure().
    explicit SharedLibrary(const char* soname);
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    bool opened() const noexcept { return handle_ != nullptr; }
    const std::string& failure() const noexcept { return failure_; }

    // The function of that name with the type of its declaration (decltype(&name)),
    // null when the library is not open or lacks it.
    template <class Function> Function function(const char* name) const noexcept
    {
        return reinterpret_cast<Function>(symbol(name));
    }

private:
    void* symbol(const char* name) const noexcept;

    void* handle_ = nullptr;
    std::string failure_;
};

} // namespace quom
