#include "core/Library.h"

#include "core/FileTarget.h"

#include <cstdlib>
#include <dlfcn.h>

namespace reclib {

Library &Library::instance()
{
    static Library library;
    return library;
}

int Library::init(const RecLibSettings *settings)
{
    if (settings == nullptr) {
        m_errors.add("NeroInit: no settings record");
        return 1;
    }
    const std::lock_guard lock(m_mutex);
    m_settings = *settings;
    return 0;
}

int Library::done()
{
    m_handles.clear();
    const std::lock_guard lock(m_mutex);
    m_settings = RecLibSettings{};
    m_libburn.reset();
    return 0;
}

RecLibSettings Library::settings() const
{
    const std::lock_guard lock(m_mutex);
    return m_settings;
}

bool Library::libburnReady()
{
    const std::lock_guard lock(m_mutex);
    if (!m_libburn)
        m_libburn = std::make_unique<Libburn>();
    if (!m_libburn->ok()) {
        m_libburn.reset();
        m_errors.add("libburn could not be started");
        return false;
    }
    return true;
}

std::string Library::folder()
{
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void *>(&Library::folder), &info) == 0 || info.dli_fname == nullptr)
        return ".";
    return folderOf(info.dli_fname);
}

StateFolderChoice Library::stateFolders()
{
    // Whether the folder can be written does not change while the library
    // is loaded; the user's folders may appear (the program makes them).
    static const std::string libraryFolder = folder();
    static const FolderAccess access = probeFolderAccess(libraryFolder);
    return chooseStateFolders(libraryFolder, access, [](const char *name) { return std::getenv(name); });
}

} // namespace reclib
