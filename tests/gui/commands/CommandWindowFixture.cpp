#include "CommandWindowFixture.h"

#include "PrivateSystemBus.h"
#include "TestEnvironment.h"

#include "log/CShutdownDlg.h"
#include "platform/MessageBoxType.h"
#include "platform/ProgramFolder.h"
#include "platform/RegistryStore.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QThread>

const QByteArray FastDvdWriter = "[Test DVD Writer]\nmedium = DVD+R blank\nfile = media/test-dvd.iso\n"
                                 "speeds = 4x 8x\npacing = full-speed\n";

namespace {

// Owns the private bus for the whole run, inside RUN_ALL_TESTS so that the
// application object outlives it.
class SystemBusEnvironment : public testing::Environment
{
public:
    void SetUp() override { m_bus = std::make_unique<PrivateSystemBus>(); }
    void TearDown() override { m_bus.reset(); }
    PrivateSystemBus *Bus() const { return m_bus.get(); }

private:
    std::unique_ptr<PrivateSystemBus> m_bus;
};

SystemBusEnvironment *const g_busEnvironment =
    static_cast<SystemBusEnvironment *>(testing::AddGlobalTestEnvironment(new SystemBusEnvironment));

QString SamplePath(const char *name)
{
    return QStringLiteral(ORVANE_TEST_SOURCE_DIR "/samples/") + QLatin1String(name);
}

} // namespace

PrivateSystemBus &SystemBus()
{
    return *g_busEnvironment->Bus();
}

int PowerOffCallCount()
{
    return static_cast<int>(SystemBus().PowerOffCalls().size());
}

bool WaitForCondition(const std::function<bool()> &pred, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!pred()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

QString CommandWindow::GetText(int textId) const
{
    if (textProbe)
        textProbe(textId);
    return CBurnDlg::GetText(textId);
}

bool CommandWindow::Asked(const QString &caption) const
{
    for (const Box &box : Boxes())
        if (box.caption == caption)
            return true;
    return false;
}

StandByWatcher::StandByWatcher()
{
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
    m_timer.start(50);
}

void StandByWatcher::Poll()
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        auto *standBy = qobject_cast<CShutdownDlg *>(window);
        if (standBy == nullptr || !standBy->isVisible())
            continue;
        Sighting seen;
        const auto *label = standBy->findChild<QLabel *>(QStringLiteral("m_stcMessage"));
        seen.message = label != nullptr ? label->text() : QString();
        seen.seconds = standBy->m_nSeconds;
        seen.powerOffCallsAtClose = PowerOffCallCount();
        {
            std::lock_guard lock(m_mutex);
            m_seen.push_back(seen);
        }
        QTest::keyClick(standBy, Qt::Key_Escape);
    }
}

std::vector<StandByWatcher::Sighting> StandByWatcher::Sightings() const
{
    std::lock_guard lock(m_mutex);
    return m_seen;
}

int StandByWatcher::Count() const
{
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_seen.size());
}

void CommandWindowTest::SetUp()
{
    ASSERT_TRUE(SystemBus().IsReady());
    m_desktop = testenv::makeTempDir(QStringLiteral("desktop"));
    m_standBy = std::make_unique<StandByWatcher>();
}

void CommandWindowTest::TearDown()
{
    if (m_window) {
        m_window->Jobs().Job().Wait();
        if (!m_window->HasEnded())
            m_window->DoneRecording();
        m_window.reset();
    }
    m_standBy.reset();
    SetMachineRegistry(nullptr);
    SetProgramFolderForTesting(QString());
}

void CommandWindowTest::Start(const QByteArray &recorders, const QStringList &settings)
{
    m_copy.WriteFile(QStringLiteral("virtual-recorders.conf"), recorders);
    m_copy.WriteFile(QStringLiteral("Orvane.ini"), settings.join(QLatin1Char('\n')).toUtf8() + "\n");
    m_registry.CreateKey(regkey::SharedKey);
    m_registry.WriteString(regkey::SharedKey, regkey::LibraryFolderValue, m_copy.Path());
    m_registry.Set(regkey::ShellFoldersKey, regkey::DesktopValue, m_desktop);
    SetMachineRegistry(&m_registry);
    SetProgramFolderForTesting(m_copy.Path());
    m_window = std::make_unique<CommandWindow>();
    m_window->m_strAppDir = m_copy.Executable();
    m_window->OnInitDialog();
    ASSERT_FALSE(m_window->HasEnded()) << Log().join('\n').toStdString();
}

void CommandWindowTest::PrepareBurn(const QString &source)
{
    m_window->m_strSourceDir = source;
    m_window->m_strVolume = QStringLiteral("TEST_DISC");
    m_window->UpdateData(false);
    m_window->CheckSourceSize();
    ASSERT_TRUE(m_window->m_btnBurn->isEnabled());
}

QString CommandWindowTest::MenulessSample() const
{
    return SamplePath("dvd-menuless");
}

QString CommandWindowTest::DamagedSource() const
{
    const QString source = testenv::makeTempDir(QStringLiteral("source"));
    testenv::copyFolder(SamplePath("dvd-menuless"), source);
    QFile ifo(source + QStringLiteral("/VIDEO_TS/VIDEO_TS.IFO"));
    if (ifo.open(QIODevice::ReadWrite)) {
        ifo.write(QByteArray(ifo.size(), '\x5a'));
        ifo.close();
    }
    return source;
}

QStringList CommandWindowTest::Log() const
{
    const QString text = m_window->GetLogText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}
