#include "UnattendedRunFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

namespace e2e {
namespace {

constexpr int RunTimeoutMs = 90000;

} // namespace

void UnattendedRunTest::SetUp()
{
    m_source = testenv::makeTempDir(QStringLiteral("films")) + QStringLiteral("/my film");
    testenv::copyFolder(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/samples/dvd-menuless"), m_source);
    m_home = testenv::makeTempDir(QStringLiteral("home"));
    QDir().mkpath(Desktop());
    UseRecorders(BlankDvdPlusRw);
}

void UnattendedRunTest::UseRecorders(const QByteArray &config)
{
    m_copy.WriteFile(QStringLiteral("virtual-recorders.conf"), config);
}

void UnattendedRunTest::StartProgram(QProcess &process, const QStringList &arguments) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("HOME"), m_home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home + QStringLiteral("/.config"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(m_home);
    process.start(m_copy.Executable(), arguments);
    process.waitForStarted();
}

ProgramRun UnattendedRunTest::RunProgram(const QStringList &arguments) const
{
    QProcess process;
    StartProgram(process, arguments);
    return WaitForProgram(process);
}

ProgramRun UnattendedRunTest::WaitForProgram(QProcess &process)
{
    ProgramRun run;
    run.finished = process.waitForFinished(RunTimeoutMs);
    if (!run.finished) {
        process.kill();
        process.waitForFinished(2000);
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.standardError = QString::fromUtf8(process.readAllStandardError());
    run.standardOutput = QString::fromUtf8(process.readAllStandardOutput());
    return run;
}

void UnattendedRunTest::AddFiller(qint64 bytes) const
{
    QFile filler(m_source + QStringLiteral("/FILLER.BIN"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    ASSERT_TRUE(filler.resize(bytes));
}

QByteArray UnattendedRunTest::MediumSnapshot() const
{
    QFile medium(Image());
    const QByteArray bytes = medium.open(QIODevice::ReadOnly) ? medium.readAll() : QByteArray("(none)");
    return bytes + "|state|" + ReadFile(Image() + QStringLiteral(".state")).toUtf8();
}

QString UnattendedRunTest::Text(int id) const
{
    QFile file(m_copy.File(QStringLiteral("english.lng")));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QString prefix = QString::number(id) + QStringLiteral(": ");
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed();
    }
    return QString();
}

qint64 UnattendedRunTest::ImageSize() const
{
    return QFileInfo(Image()).size();
}

void UnattendedRunTest::ExpectGoodImage() const
{
    QProcess check;
    check.start(m_copy.File(QStringLiteral("orvane-imagecheck")), {Image()});
    ASSERT_TRUE(check.waitForFinished(60000));
    const QString report = QString::fromUtf8(check.readAllStandardOutput());
    EXPECT_EQ(check.exitCode(), 0) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("== image is good")));
}

QString UnattendedRunTest::VolumeId() const
{
    QProcess isoinfo;
    isoinfo.start(QStringLiteral("isoinfo"), {QStringLiteral("-d"), QStringLiteral("-i"), Image()});
    if (!isoinfo.waitForFinished(30000))
        return QString();
    const QRegularExpression volume(QStringLiteral("^Volume id: *(.*)$"),
                                    QRegularExpression::MultilineOption);
    return volume.match(QString::fromUtf8(isoinfo.readAllStandardOutput())).captured(1).trimmed();
}

QString UnattendedRunTest::ReadFile(const QString &path) const
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace e2e
