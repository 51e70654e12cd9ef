#include "CommandWindowFixture.h"

#include "PrivateSystemBus.h"
#include "TestEnvironment.h"

#include "log/CShutdownDlg.h"
#include "platform/MessageBoxType.h"
#include "platform/RegistryStore.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTest>

const QByteArray FastDvdWriter = "[Test DVD Writer]\nmedium = DVD+RW blank\nfile = media/test-dvd.iso\n"
                                 "speeds = 4x 8x\npacing = full-speed\nerase-time-scale = 0\n";
const QByteArray UsedDvdRw = "[RW Writer]\nmedium = DVD-RW written\nfile = media/rw.iso\nspeeds = 4x\n"
                             "pacing = full-speed\n";

namespace {

// Owns the private bus for the whole run, inside RUN_ALL_TESTS so that the
// application object outlives it.
class SystemBusEnvironment : public testing::Environment
{
public:
    void SetUp() override { bus = std::make_unique<PrivateSystemBus>(); }
    void TearDown() override { bus.reset(); }
    std::unique_ptr<PrivateSystemBus> bus;
};

SystemBusEnvironment *const g_busEnvironment =
    static_cast<SystemBusEnvironment *>(testing::AddGlobalTestEnvironment(new SystemBusEnvironment));

} // namespace

PrivateSystemBus &SystemBus()
{
    return *g_busEnvironment->bus;
}

int PowerOffCallCount()
{
    return static_cast<int>(SystemBus().PowerOffCalls().size());
}

StandByWatcher::StandByWatcher()
{
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            auto *standBy = qobject_cast<CShutdownDlg *>(window);
            if (standBy == nullptr || !standBy->isVisible())
                continue;
            const auto *label = standBy->findChild<QLabel *>(QStringLiteral("m_stcMessage"));
            {
                std::lock_guard lock(m_mutex);
                m_seen.push_back(
                    {label ? label->text() : QString(), standBy->m_nSeconds, PowerOffCallCount()});
            }
            QTest::keyClick(standBy, Qt::Key_Escape);
        }
    });
    m_timer.start(50);
}

std::vector<StandByWatcher::Sighting> StandByWatcher::Sightings() const
{
    std::lock_guard lock(m_mutex);
    return m_seen;
}

void CommandWindowTest::SetUp()
{
    ASSERT_TRUE(SystemBus().IsReady());
    m_source = testenv::makeTempDir(QStringLiteral("films")) + QStringLiteral("/my film");
    ASSERT_TRUE(testenv::copyFolder(MenulessSample(), m_source));
    m_desktop = testenv::makeTempDir(QStringLiteral("desktop"));
    m_standBy = std::make_unique<StandByWatcher>();
}

void CommandWindowTest::TearDown()
{
    Close();
    m_standBy.reset();
}

void CommandWindowTest::Start(const QByteArray &recorders, const QByteArray &settings,
                              const QString &commandLine)
{
    Close();
    m_copy.WriteFile(QStringLiteral("virtual-recorders.conf"), recorders);
    m_copy.WriteFile(QStringLiteral("Orvane.ini"), settings + "\n");
    m_registry.CreateKey(regkey::SharedKey);
    m_registry.WriteString(regkey::SharedKey, regkey::LibraryFolderValue, m_copy.Path());
    m_registry.Set(regkey::ShellFoldersKey, regkey::DesktopValue, m_desktop);
    m_window = std::make_unique<CommandWindow>(m_registry);
    m_window->m_strAppDir = m_copy.Executable();
    m_window->m_arguments =
        commandLine.split(u' ', Qt::SkipEmptyParts).replaceInStrings(QStringLiteral("SOURCE"), m_source);
    m_window->OnInitDialog();
    ASSERT_FALSE(m_window->HasEnded()) << Log().join('\n').toStdString();
}

void CommandWindowTest::Close()
{
    if (!m_window)
        return;
    m_window->CommandLine().Stop();
    m_window->Jobs().Job().Wait();
    if (!m_window->HasEnded())
        m_window->DoneRecording();
    m_window.reset();
}

void CommandWindowTest::PrepareBurn(const QString &source)
{
    m_window->m_strSourceDir = source;
    m_window->m_strVolume = QStringLiteral("TEST_DISC");
    m_window->UpdateData(Exchange::ToControls);
    m_window->CheckSourceSize();
    ASSERT_TRUE(m_window->m_btnBurn->isEnabled());
}

void CommandWindowTest::Answer(int textId, int answer)
{
    m_window->boxes.answer = [this, textId, answer](const Box &box) {
        if (box.text == Text(textId))
            return answer;
        return (box.type & mb::ButtonsMask) == mb::YesNo ? int(mb::IdYes) : int(mb::IdOk);
    };
}
