// "Image file...": an image file the burn takes as it is instead of the
// folder. The burn's checks of the file are the jobs' (BurnRunImageChecks).
#include "app/CBurnDlg.h"

#include "TextIds.h"
#include "platform/CFilePicker.h"
#include "platform/TextFormat.h"

void CBurnDlg::OnImageFile()
{
    QString &image = m_jobs.State().m_strImageFile;
    const bool hadImage = !image.isEmpty();
    if (hadImage) {
        image.clear();
    } else {
        CFilePicker picker(CFilePicker::Open, QString(), QStringLiteral("*.iso"), 0,
                           CFilePicker::BurnImageFilters(), this);
        if (picker.Run() == CFilePicker::Confirmed)
            image = picker.GetPath();
    }
    ShowImageChoice();
    if (hadImage)
        AppendLogText(textid::ImageDropped);
}

void CBurnDlg::ShowImageChoice()
{
    const QString &image = m_jobs.State().m_strImageFile;
    m_btnImageFile->setChecked(!image.isEmpty());
    m_btnImageFile->setToolTip(image);
    if (image.isEmpty()) {
        // The folder's size decides again whether Burn is offered.
        CheckSourceSize();
        return;
    }
    m_btnBurn->setEnabled(true);
    AppendLog(FormatText(GetText(textid::ImageChosen), {image}));
}
