#pragma once

#include <QByteArrayView>
#include <QString>

// Text files written by people (language files, the settings file) are read
// as UTF-8, or as Windows-1252 when they are not valid UTF-8, so that 8-bit
// files keep working.
enum class TextEncoding { Utf8, Windows1252 };

// Utf8 when every byte sequence is valid UTF-8, else Windows1252.
TextEncoding DetectTextEncoding(QByteArrayView bytes);
QString DecodeText(QByteArrayView bytes, TextEncoding encoding);
// DetectTextEncoding + DecodeText.
QString DecodeText(QByteArrayView bytes);
// The bytes without a leading UTF-8 byte-order mark.
QByteArrayView WithoutUtf8Bom(QByteArrayView bytes);
