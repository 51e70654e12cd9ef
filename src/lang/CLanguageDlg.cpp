#include "lang/CLanguageDlg.h"

#include "lang/CLanguageText.h"
#include "lang/WindowTexts.h"

#include "ui_CLanguageDlg.h"

#include <QCollator>
#include <QDir>
#include <QShowEvent>

#include <algorithm>

CLanguageDlg::CLanguageDlg(const CLanguageText *texts, QWidget *parent)
    : QDialog(parent), m_pTexts(texts), m_ui(std::make_unique<Ui::CLanguageDlg>())
{
    m_ui->setupUi(this);
    RouteHelpKey(*this, [this] {
        if (m_help)
            m_help(*this, QLatin1String(helppage::Language));
    });
    connect(m_ui->m_btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

CLanguageDlg::~CLanguageDlg() = default;

void CLanguageDlg::SetCurrent(const QString &language)
{
    m_strCurrent = language;
    m_strChosen = language;
}

QStringList CLanguageDlg::LanguageFiles(const QString &folder)
{
    QStringList files = QDir(folder).entryList({QStringLiteral("*.lng")}, QDir::Files | QDir::Hidden);
    // A sorted list box orders its entries without regard to letter case.
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(files.begin(), files.end(),
              [&collator](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
    return files;
}

int CLanguageDlg::PreselectedIndex(const QStringList &files, const QString &current)
{
    if (files.isEmpty())
        return -1;
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (files[i].startsWith(current, Qt::CaseInsensitive))
            return int(i);
    }
    return 0;
}

void CLanguageDlg::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        InitDialog();
    QDialog::showEvent(event);
}

void CLanguageDlg::InitDialog()
{
    windowtexts::BindTheme(*this, {"m_btnOk", "m_btnCancel"}, m_theme);
    if (m_pTexts)
        windowtexts::ApplyCaptions(*this, windowtexts::LanguageCaptions(), *m_pTexts);
    const QStringList files = LanguageFiles(m_strFolder);
    m_ui->m_cmbLanguage->clear();
    m_ui->m_cmbLanguage->addItems(files);
    m_ui->m_cmbLanguage->setCurrentIndex(PreselectedIndex(files, m_strCurrent));
    m_strChosen = m_strCurrent;
    m_bChanged = 0;
}

void CLanguageDlg::accept()
{
    // Without any language file there is nothing to choose: keep the current one.
    if (m_ui->m_cmbLanguage->currentIndex() >= 0)
        m_strChosen = m_ui->m_cmbLanguage->currentText();
    m_bChanged = 1;
    QDialog::accept();
}

void CLanguageDlg::reject()
{
    m_strChosen = m_strCurrent;
    QDialog::reject();
}
