#pragma once

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class CShutdownDlg;
}

// The stand-by window shown before the machine powers off: a caption-less
// box with one message that closes by itself after m_nSeconds. Escape or
// Enter close it early; either way the shutdown sequence goes on.
class CShutdownDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CShutdownDlg(QWidget *parent = nullptr);
    ~CShutdownDlg() override;

    int m_nSeconds = 0;
    QString m_strMessage;

    // Shows the window modally until the time is over or a key closed it.
    int exec() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::unique_ptr<Ui::CShutdownDlg> m_ui;
};
