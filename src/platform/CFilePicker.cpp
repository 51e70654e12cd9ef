#include "platform/CFilePicker.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

// Qt reads a filter's patterns from its parentheses. "*.*" means every file
// to Windows users but only names with a dot to Qt, so it becomes "*".
QStringList ToQtNameFilters(const QStringList &pairs)
{
    QStringList filters;
    for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
        QString description = pairs[i];
        const qsizetype paren = description.lastIndexOf(QLatin1Char('('));
        if (paren >= 0)
            description = description.left(paren).trimmed();
        QString pattern = pairs[i + 1];
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*");
        filters << QStringLiteral("%1 (%2)").arg(description, pattern);
    }
    return filters;
}

bool HasWildcard(const QString &name)
{
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

void PresetName(QFileDialog &dialog, const QString &initialName)
{
    if (initialName.isEmpty() || HasWildcard(initialName))
        return;
    const QFileInfo info(initialName);
    if (info.isAbsolute()) {
        dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    } else {
        dialog.selectFile(initialName);
    }
}

} // namespace

CFilePicker::CFilePicker(Mode mode, const QString &defaultExtension, const QString &initialName,
                         unsigned extraFlags, const QStringList &filters, QWidget *owner)
    : m_nMode(mode), m_strDefaultExt(defaultExtension), m_strFile(initialName),
      m_nFlags(extraFlags | ExplorerStyle), m_filters(filters), m_pOwner(owner)
{
}

CFilePicker::CFilePicker() = default;

CFilePicker::~CFilePicker() = default;

const char *CFilePicker::DialogObjectName()
{
    return "CFilePickerDialog";
}

int CFilePicker::Run()
{
    QFileDialog dialog(m_pOwner);
    dialog.setObjectName(QLatin1String(DialogObjectName()));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (m_nMode == Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, (m_nFlags & OverwritePrompt) == 0);
    }
    if (!m_strDefaultExt.isEmpty())
        dialog.setDefaultSuffix(m_strDefaultExt);
    const QStringList nameFilters = ToQtNameFilters(m_filters);
    if (!nameFilters.isEmpty())
        dialog.setNameFilters(nameFilters);
    PresetName(dialog, m_strFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return NotConfirmed;
    m_strFile = dialog.selectedFiles().constFirst();
    return Confirmed;
}

int CFilePicker::BrowseFolder(const QString &title, const QString &initialFolder, unsigned flags,
                              QWidget *owner)
{
    // The browse flags of the classic folder browser (file-system folders
    // only, new dialog style) describe what a directory dialog does anyway.
    Q_UNUSED(flags);
    QFileDialog dialog(owner, title);
    dialog.setObjectName(QLatin1String(DialogObjectName()));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (!initialFolder.isEmpty() && QFileInfo(initialFolder).isDir())
        dialog.setDirectory(initialFolder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return NotConfirmed;
    m_strFolder = QDir::cleanPath(dialog.selectedFiles().constFirst());
    return Confirmed;
}

QStringList CFilePicker::WaveFilters()
{
    return {QStringLiteral("WAV Audio (*.wav)"), QStringLiteral("*.wav"), QStringLiteral("All Files (*.*)"),
            QStringLiteral("*.*")};
}

QStringList CFilePicker::LogFilters()
{
    return {QStringLiteral("Log Files (*.log)"), QStringLiteral("*.log"), QStringLiteral("All Files (*.*)"),
            QStringLiteral("*.*")};
}

QStringList CFilePicker::BurnImageFilters()
{
    return {QStringLiteral("Iso Image (*.iso)"), QStringLiteral("*.iso"), QStringLiteral("All Files (*.*)"),
            QStringLiteral("*.*")};
}

QStringList CFilePicker::ImageFilters()
{
    return {QStringLiteral("Nero Image (*.nrg)"), QStringLiteral("*.nrg"),
            QStringLiteral("Iso Image (*.iso)"),  QStringLiteral("*.iso"),
            QStringLiteral("All Files (*.*)"),    QStringLiteral("*.*")};
}
