#include "recorder/ModuleHandle.h"

#include <dlfcn.h>

ModuleHandle::~ModuleHandle()
{
    Close();
}

bool ModuleHandle::Open(const char *path)
{
    Close();
    // dlopen("") would hand back the program itself; a missing path must
    // fail like a missing file.
    if (path == nullptr || path[0] == '\0')
        return false;
    // RTLD_LOCAL keeps the library's exports out of the global scope, so a
    // later load of another library of the same name starts clean.
    m_handle = ::dlopen(path, RTLD_NOW | RTLD_LOCAL);
    return m_handle != nullptr;
}

void ModuleHandle::Close()
{
    if (m_handle != nullptr) {
        ::dlclose(m_handle);
        m_handle = nullptr;
    }
}

void *ModuleHandle::RawSymbol(const char *name) const
{
    if (m_handle == nullptr || name == nullptr)
        return nullptr;
    return ::dlsym(m_handle, name);
}
