// Takes a picture of the main window half way through a burn:
//
//     orvane-screenshot <program folder> <DVD-Video folder> <language file> <picture.png>
//
// The window is the program's own, started in the given program folder with
// its recording library and virtual recorders; the Virtual DVD Writer is
// selected, the folder is dropped on the window and Burn is clicked. When
// the progress bar passes half way, the window is drawn into the picture
// and the burn is aborted. The program folder should be a fresh copy: the
// burn writes to its virtual medium.
#include "app/CBurnDlg.h"
#include "jobs/label/SourceFieldEvents.h"
#include "lang/CLanguageText.h"
#include "platform/MachineRegistryStore.h"
#include "platform/WindowMessageBox.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace {

constexpr auto Recorder = "Virtual DVD Writer";

// Nobody is there to answer: every box takes its default button.
class UnattendedWindow : public CBurnDlg
{
public:
    using CBurnDlg::CBurnDlg;

    int ShowMessageBox(const QString &text, const QString &caption, unsigned type) override
    {
        return Answer(text, caption, type);
    }
    int ShowAppMessageBox(const QString &text, const QString &caption, unsigned type) override
    {
        return Answer(text, caption, type);
    }

private:
    static int Answer(const QString &text, const QString &caption, unsigned type)
    {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(caption), qPrintable(text));
        return DefaultMessageBoxAnswer(type);
    }
};

int Fail(const char *why)
{
    std::fprintf(stderr, "orvane-screenshot: %s\n", why);
    return 1;
}

bool SelectRecorder(CBurnDlg &dlg)
{
    const int index = dlg.m_cmbDevice->findText(QLatin1String(Recorder));
    if (index < 0)
        return false;
    if (index != dlg.m_cmbDevice->currentIndex()) {
        dlg.m_cmbDevice->setCurrentIndex(index);
        dlg.Jobs().Setup().OnDeviceChanged();
    }
    return true;
}

void UseLanguage(CBurnDlg &dlg, const QString &programFolder, const QString &languageFile)
{
    dlg.m_strLangFile = languageFile;
    dlg.m_pLang->SetFile(programFolder + QLatin1Char('/') + languageFile);
    dlg.ApplyWindowTexts();
}

// Fraction of the progress bar's range that is filled.
double Progress(const CBurnDlg &dlg)
{
    const int span = dlg.m_ctlProgress->maximum() - dlg.m_ctlProgress->minimum();
    return span > 0 ? double(dlg.m_ctlProgress->value() - dlg.m_ctlProgress->minimum()) / span : 0.0;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 5)
        return Fail(
            "usage: orvane-screenshot <program folder> <DVD-Video folder> <language file> <picture.png>");
    const QString programFolder = args[1];
    const QString source = args[2];
    const QString picture = args[4];

    // The machine registry of the program folder shown.
    MachineRegistryStore registry(programFolder);
    UnattendedWindow dlg(registry);
    dlg.m_strAppDir = programFolder + QStringLiteral("/orvane-burn");
    dlg.OnInitDialog();
    if (dlg.HasEnded())
        return Fail("the recording library could not be loaded");
    UseLanguage(dlg, programFolder, args[3]);
    if (!SelectRecorder(dlg))
        return Fail("the program folder has no Virtual DVD Writer");
    dlg.show();
    dlg.adjustSize();

    bool taken = false;
    QTimer watch;
    // The burn runs on this thread; the library's idle callback lets the
    // timer fire while it does.
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (taken || Progress(dlg) < 0.5)
            return;
        taken = dlg.grab().save(picture, "PNG");
        dlg.m_bAbort = 1;
    });
    watch.start(20);
    OnItemsDropped({source}, dlg, dlg.SourceFields());
    if (!dlg.m_btnBurn->isEnabled())
        return Fail("Burn stays disabled for that folder");
    dlg.m_btnBurn->click();
    watch.stop();
    dlg.DoneRecording();
    if (!taken) {
        std::fprintf(stderr, "%s\n", qPrintable(dlg.GetLogText()));
        return Fail("the burn ended before it was half way; its log is above");
    }
    std::printf("%s\n", qPrintable(picture));
    return 0;
}
