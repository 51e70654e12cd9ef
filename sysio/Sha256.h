#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace sysio {

// SHA-256 through libcrypto's EVP interface, which uses the processor's
// SHA instructions where there are any (ten times Qt's hash here).
class Sha256
{
public:
    Sha256();
    void add(const unsigned char *bytes, size_t size);
    // The digest in lower-case hex, as sha256sum prints it; ends the hash.
    std::string hex();

private:
    struct ContextDeleter
    {
        void operator()(void *context) const;
    };
    std::unique_ptr<void, ContextDeleter> m_context;
};

} // namespace sysio
