#pragma once

// Owns one shared object opened with dlopen. The handle is released in the
// destructor, so a module can never outlive the object that opened it or be
// closed twice.
class ModuleHandle
{
public:
    ModuleHandle() = default;
    ~ModuleHandle();
    ModuleHandle(const ModuleHandle &) = delete;
    ModuleHandle &operator=(const ModuleHandle &) = delete;

    // Releases any module held, then opens the one at path (which must name
    // a file: an empty path opens nothing). False when it cannot be loaded.
    bool Open(const char *path);
    // Releases the module if one is held.
    void Close();

    bool IsLoaded() const { return m_handle != nullptr; }
    explicit operator bool() const { return IsLoaded(); }

    // The address of an export of the held module, or null when no module is
    // held or it has no export of that name. Only the module itself and its
    // own dependencies are searched, never the program.
    void *RawSymbol(const char *name) const;

    template <typename Function> Function Symbol(const char *name) const
    {
        return reinterpret_cast<Function>(RawSymbol(name));
    }

private:
    void *m_handle = nullptr;
};
