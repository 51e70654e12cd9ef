#pragma once

#include <QString>
#include <QStringList>

// The options answered before the window, the settings or any language file
// exist: they print and end the program at once.
namespace cmdline {

enum class EarlyOption {
    None,    // start normally
    Help,    // -h, -?, --help: the usage on standard output, status 0
    Version, // --version: the product name and version, status 0
};

// The first early option among the arguments (each compared whole), or None.
EarlyOption FindEarlyOption(const QStringList &arguments);

// The usage: options, exit statuses and where the settings and recorders
// are configured. English only: it is printed before any language file is
// read, and it is also the source of the manual page.
QString UsageText();

// "orvane-burn (Orvane Burn) 1.2.0": the program, the product name and the
// version, in the form help2man reads.
QString VersionText();

} // namespace cmdline
