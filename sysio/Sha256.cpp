#include "sysio/Sha256.h"

#include <openssl/evp.h>

#include <stdexcept>

namespace sysio {
void Sha256::ContextDeleter::operator()(void *context) const
{
    EVP_MD_CTX_free(static_cast<EVP_MD_CTX *>(context));
}

Sha256::Sha256() : m_context(EVP_MD_CTX_new())
{
    if (!m_context ||
        EVP_DigestInit_ex(static_cast<EVP_MD_CTX *>(m_context.get()), EVP_sha256(), nullptr) != 1)
        throw std::runtime_error("libcrypto cannot start a SHA-256 digest");
}

void Sha256::add(const unsigned char *bytes, size_t size)
{
    EVP_DigestUpdate(static_cast<EVP_MD_CTX *>(m_context.get()), bytes, size);
}

std::string Sha256::hex()
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(static_cast<EVP_MD_CTX *>(m_context.get()), digest, &length);
    static constexpr char Digits[] = "0123456789abcdef";
    std::string text;
    for (unsigned int i = 0; i < length; ++i) {
        text += Digits[digest[i] >> 4];
        text += Digits[digest[i] & 0xf];
    }
    return text;
}

} // namespace sysio
