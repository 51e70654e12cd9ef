#include "log/CShutdownDlg.h"

#include "ui_CShutdownDlg.h"

#include <QKeyEvent>
#include <QTimer>

CShutdownDlg::CShutdownDlg(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_ui(std::make_unique<Ui::CShutdownDlg>())
{
    m_ui->setupUi(this);
    m_strMessage = m_ui->m_stcMessage->text();
    setModal(true);
}

CShutdownDlg::~CShutdownDlg() = default;

int CShutdownDlg::exec()
{
    m_ui->m_stcMessage->setText(m_strMessage);
    // A timer owned by the window: when a key closed the window first, the
    // timer dies with the event loop and never acts on a closed window.
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, [this] { done(0); });
    timer.start(m_nSeconds * 1000);
    return QDialog::exec();
}

void CShutdownDlg::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        done(0);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        done(1);
        break;
    default:
        QDialog::keyPressEvent(event);
        break;
    }
}
