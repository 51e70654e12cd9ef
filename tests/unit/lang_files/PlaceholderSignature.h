#pragma once

#include <QString>

#include <optional>

// The placeholders of a format text, reduced to one letter per value the
// caller must pass: s a text, d a whole number, c a character, f a fraction.
// "%%" stands for a percent sign and takes no value. Returns nothing when
// the text holds a conversion the program never passes (%n, %p, a "*" width,
// an unknown letter, or a lone "%" at the end).
std::optional<QString> PlaceholderSignature(const QString &text);
