#pragma once

#include <QString>

#include <cstdint>
#include <initializer_list>

// One argument of FormatText, carrying its own type so that a template read
// from a file can never make the formatter read memory of another type.
class FormatArg
{
public:
    enum class Type { Int, Long, Double, String, Char };

    FormatArg(int value) : m_type(Type::Int), m_int(value) {}
    FormatArg(unsigned value) : m_type(Type::Long), m_int(value) {}
    FormatArg(long value) : m_type(Type::Long), m_int(value) {}
    FormatArg(long long value) : m_type(Type::Long), m_int(value) {}
    FormatArg(unsigned long value) : m_type(Type::Long), m_int(static_cast<std::int64_t>(value)) {}
    FormatArg(double value) : m_type(Type::Double), m_double(value) {}
    FormatArg(const QString &value) : m_type(Type::String), m_string(value) {}
    FormatArg(const char *utf8) : m_type(Type::String), m_string(QString::fromUtf8(utf8)) {}
    FormatArg(char32_t ch) : m_type(Type::Char), m_int(ch) {}

    Type type() const { return m_type; }
    std::int64_t integer() const { return m_int; }
    double real() const { return m_double; }
    const QString &string() const { return m_string; }

private:
    Type m_type;
    std::int64_t m_int = 0;
    double m_double = 0.0;
    QString m_string;
};

// printf-style formatting for templates that come from files (language
// texts, the settings template, log templates). Supports the flags - + 0
// blank #, width, precision, the length letters h l ll L z j t (ignored:
// each argument brings its own type) and the conversions d i u x X o c s f
// F e E g G %%. Width and precision are capped at 255. A conversion whose
// argument is missing renders as nothing; an argument of another type is
// converted as well as it can be (a number for %s prints its digits, a
// string for %d prints nothing). %n, %p, "*" widths and unknown
// conversions are copied literally.
QString FormatText(const QString &templ, std::initializer_list<FormatArg> args);
QString FormatText(const QString &templ, const FormatArg *args, std::size_t count);
