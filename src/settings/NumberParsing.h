#pragma once

#include <QStringView>

#include <cstdint>

// The C library's number readers on setting values, without their undefined
// behaviour: white space skipped, an optional sign, digits up to the first
// other character, nothing readable gives 0.
namespace numparse {

// atoi, with values beyond the int range held at its ends.
int DecimalInt(QStringView text);
// strtol base 16 of a 32-bit long (an optional 0x prefix; held at
// 0x7FFFFFFF / -0x80000000 on overflow).
int HexLong(QStringView text);
// strtoul base 16 of a 32-bit unsigned long: a minus sign negates modulo
// 2^32, an overflow gives 0xFFFFFFFF.
std::uint32_t HexUnsignedLong(QStringView text);

} // namespace numparse
