#include "controls/CAboutDlg.h"

#include "controls/ProgramImages.h"
#include "platform/MessageBoxType.h"
#include "platform/TextFormat.h"
#include "platform/WindowMessageBox.h"

#include "TextIds.h"
#include "ui_CAboutDlg.h"

#include <QLayout>
#include <QShowEvent>

namespace {

// The address a mail link writes to, without scheme and query.
QString MailAddress(const QString &target)
{
    QString address = target;
    if (address.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        address.remove(0, 7);
    return address.section(QLatin1Char('?'), 0, 0);
}

} // namespace

CAboutDlg::CAboutDlg(TextLookup texts, QWidget *parent)
    : QDialog(parent), m_texts(std::move(texts)), m_ui(std::make_unique<Ui::CAboutDlg>())
{
    m_ui->setupUi(this);
    m_ui->m_stcPicture->setPixmap(programimages::Image(programimages::AboutPicture));
    QFont product = m_ui->m_stcProduct->font();
    product.setBold(true);
    product.setPointSizeF(product.pointSizeF() * 1.4);
    m_ui->m_stcProduct->setFont(product);
    connect(m_ui->m_btnOk, &QPushButton::clicked, this, &QDialog::accept);
    const auto report = [this](const QString &text) { ShowLinkError(text); };
    m_ui->m_ctlMailLink->SetErrorReporter(report);
    m_ui->m_ctlHomeLink->SetErrorReporter(report);
}

CAboutDlg::~CAboutDlg() = default;

QString CAboutDlg::VersionLine()
{
    return FormatText(QStringLiteral(" %s / Ver. %s (API %s) Build %s "),
                      {ProductName, Version, ApiVersion, BuildDate});
}

void CAboutDlg::FillTexts()
{
    m_strVersion = VersionLine();
    m_strThanks = m_texts(textid::Thanks);
    m_strTranslation = m_texts(textid::AboutTranslation);
    m_ui->m_grpVersion->setTitle(m_strVersion);
    m_ui->m_stcThanks->setText(m_strThanks);
    m_ui->m_stcTranslation->setText(m_strTranslation);

    const QString home = m_texts(textid::HomePage);
    const QString mail = m_texts(textid::MailLink);
    m_ui->m_ctlHomeLink->SetTarget(home);
    m_ui->m_ctlHomeLink->setText(home);
    m_ui->m_ctlMailLink->SetTarget(mail);
    m_ui->m_ctlMailLink->setText(MailAddress(mail));
    for (CUrlLabel *link : {m_ui->m_ctlHomeLink, m_ui->m_ctlMailLink}) {
        link->SetUnderline(CUrlLabel::UnderlineHover);
        link->Attach();
    }
}

void CAboutDlg::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        InitDialog();
    QDialog::showEvent(event);
}

void CAboutDlg::InitDialog()
{
    // Filled on every opening, so every run of the box shows the texts of
    // the language then in use.
    FillTexts();
    setWindowTitle(FormatText(m_texts(textid::AboutCaption), {ProductName, Version}));

    CThemedIconButton *donate = m_ui->m_btnDonation;
    donate->BindTheme(&m_theme);
    donate->LoadBitmapImage(programimages::DonationBitmap, QColor(0, 255, 0));
    donate->SetLinkTarget(m_texts(textid::DonationPage));
    donate->setText(QString());
    donate->update();
    donate->FitToImage();
    donate->SetHoverCursor(programimages::HandCursor);
    donate->SetTip(m_texts(textid::DonationTip), true);

    m_ui->m_btnOk->BindTheme(&m_theme);
    m_ui->m_grpContact->setTitle(m_texts(textid::AboutContact));
    m_ui->m_grpDonation->setTitle(m_texts(textid::AboutDonation));

    // The box was sized before it opened, with the texts still empty: a
    // word-wrapped text would be squeezed into one cut line. Sizing it again
    // takes the height each text needs at the box's width.
    layout()->activate();
    adjustSize();
}

void CAboutDlg::ShowLinkError(const QString &text)
{
    RunMessageBox(this, text, QString::fromLatin1(ProductName), mb::Ok | mb::IconWarning);
}
