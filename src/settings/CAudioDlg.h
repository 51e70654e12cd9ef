#pragma once

#include "controls/CDataExchange.h"
#include "controls/CThemeApi.h"
#include "lang/HelpFile.h"
#include "settings/AudioSettings.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class CLanguageText;
class QSoundEffect;

namespace Ui {
class CAudioDlg;
}

// The Audio dialog: the sound files for a successful and a failed burn and
// the switch that enables them, held by the object between runs. "Wav"
// picks a file, "Play" plays the path as last taken over (longer than four
// characters), "&Enable Audio" enables the path controls. OK sets
// m_bChanged; choices made with the pickers and the switch are taken over at
// once and so survive a Cancel in memory.
class CAudioDlg : public QDialog, public AudioSettings
{
    Q_OBJECT

public:
    // Plays a sound file asynchronously, cutting off one already playing.
    using SoundPlayer = std::function<void(const QString &path)>;
    // Asks for a sound file: the chosen full path, or nothing after Cancel.
    using FileChooser = std::function<std::optional<QString>(QWidget *owner)>;

    explicit CAudioDlg(const CLanguageText *texts, QWidget *parent = nullptr);
    ~CAudioDlg() override;

    // F1 opens the help at the page about this dialog through opener.
    void SetHelpOpener(HelpOpener opener) { m_help = std::move(opener); }

    // Replaces the sound device (tests); an empty player restores it.
    void SetSoundPlayer(SoundPlayer player);
    // Replaces the open-file dialog (tests).
    void SetFileChooser(FileChooser chooser);

    bool UpdateData(Exchange direction);

    unsigned char m_bChanged = 0;

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void InitDialog();
    void EnablePathControls();
    void OnChooseWave(QString &path);
    void OnPlay(const QString &path);
    void OnEnableAudio();

    const CLanguageText *m_pTexts;
    CThemeApi m_theme;
    CDataExchange m_ddx;
    std::unique_ptr<Ui::CAudioDlg> m_ui;
    void PlayWithDevice(const QString &path);

    SoundPlayer m_play;
    QSoundEffect *m_pEffect = nullptr; // created on the first Play
    FileChooser m_chooseFile;
    HelpOpener m_help;
};
