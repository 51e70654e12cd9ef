#pragma once

#include <QString>

#include <mutex>

// The text source: numbered texts looked up in the current language file,
// falling back to the built-in texts. The file is opened and scanned again
// for every lookup, so a changed or renamed file takes effect at once.
// GetText may be called from any thread.
class CLanguageText
{
public:
    CLanguageText() = default;
    explicit CLanguageText(QString path);
    virtual ~CLanguageText();

    // Replaces the language file's full path.
    void SetFile(const QString &path);
    QString File() const;

    // The text with this id (an unsigned 32-bit number; negative ids wrap):
    // the first line of the file for it, else the built-in text, else empty.
    QString GetText(int id) const;

private:
    mutable std::mutex m_mutex;
    QString m_strFile;
};
