#include "app/DisplayProbe.h"

#include "sysio/UniqueFd.h"

#include <xcb/xcb.h>

#include <cstring>
#include <memory>

#include <sys/socket.h>
#include <sys/un.h>

bool XServerAnswers(const QByteArray &display)
{
    if (display.isEmpty())
        return false;
    // xcb_connect always gives a connection object, one in an error state
    // when the server cannot be reached or refuses the authorisation.
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
        xcb_connect(display.constData(), nullptr), &xcb_disconnect);
    return xcb_connection_has_error(connection.get()) == 0;
}

bool WaylandServerAnswers(const QByteArray &name, const QByteArray &runtimeDir)
{
    if (name.isEmpty())
        return false;
    // The compositor's rule: a name that is a path stands alone, any other
    // lies in the runtime folder.
    const QByteArray path = name.startsWith('/')   ? name
                            : runtimeDir.isEmpty() ? QByteArray()
                                                   : runtimeDir + '/' + name;
    sockaddr_un address{};
    if (path.isEmpty() || static_cast<std::size_t>(path.size()) >= sizeof address.sun_path)
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    const sysio::UniqueFd socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    return socket.valid() &&
           ::connect(socket.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
}
