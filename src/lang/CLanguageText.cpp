#include "lang/CLanguageText.h"

#include "lang/BuiltinTexts.h"
#include "lang/LanguageFile.h"

#include <utility>

CLanguageText::CLanguageText(QString path) : m_strFile(std::move(path)) {}

CLanguageText::~CLanguageText() = default;

void CLanguageText::SetFile(const QString &path)
{
    const std::lock_guard lock(m_mutex);
    m_strFile = path;
}

QString CLanguageText::File() const
{
    const std::lock_guard lock(m_mutex);
    return m_strFile;
}

QString CLanguageText::GetText(int id) const
{
    const auto textId = static_cast<std::uint32_t>(id);
    // Opened afresh for every lookup: a changed, renamed or replaced file
    // takes effect at the next text without any reload step.
    if (const std::optional<QByteArray> bytes = langfile::ReadFile(File())) {
        if (std::optional<QString> text = langfile::FindText(*bytes, textId))
            return *text;
    }
    return builtin::Text(textId).value_or(QString());
}
