#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// The program's own string table: the texts used when the language file has
// no line for them (the maker's addresses, the settings file template and
// the product line).
namespace builtin {

std::optional<QString> Text(std::uint32_t id);

enum : std::uint32_t {
    MailLink = 540,
    WebPage = 542,
    SettingsTemplate = 566,
    ProductLine = 652,
    DonationPage = 718,
};

} // namespace builtin
