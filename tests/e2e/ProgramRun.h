#pragma once

// The built program run as from a shell without a display (no platform, no
// DISPLAY: it picks offscreen itself), in a copied program folder with its
// own virtual recorder.
#include "ProgramFolderCopy.h"
#include "TestEnvironment.h"

#include "cmdline/RunExitStatus.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QtEndian>

#include <gtest/gtest.h>

namespace e2e {

using namespace Qt::StringLiterals;

inline const QByteArray BlankDvdPlusRw =
    "[Test DVD Writer]\nmedium = DVD+RW blank\nfile = media/test-dvd.iso\n"
    "speeds = 4x 8x\npacing = full-speed\nerase-time-scale = 0\n";
inline const QByteArray UsedDvdPlusRw = QByteArray(BlankDvdPlusRw).replace(" blank", " written");

inline QString ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

inline QStringList Lines(const QString &text)
{
    return text.split(u'\n', Qt::SkipEmptyParts);
}

// A text as a shipped language file words it.
inline QString LanguageText(const QString &file, int id)
{
    const QRegularExpression line(u"^%1: (.*)$"_s.arg(id), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(ReadFile(file));
    return match.hasMatch() ? match.captured(1).trimmed() : u"text %1 is missing"_s.arg(id);
}

inline QString Output(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// orvane-imagecheck: libdvdread, libudfread and isoinfo read the image.
inline void ExpectGoodImage(const QString &image)
{
    const QString report = Output(QStringLiteral(ORVANE_TEST_PROGRAM_DIR "/orvane-imagecheck"), {image});
    EXPECT_TRUE(report.contains(u"== image is good"_s)) << report.toStdString();
}

struct ProgramRun
{
    int exitCode = -1; // also when it crashed or did not end in time
    QString out;
    QString err;
};

inline ProgramRun WaitForProgram(QProcess &process)
{
    ProgramRun run;
    const bool finished = process.waitForFinished(90000);
    if (!finished) {
        process.kill();
        process.waitForFinished(2000);
    }
    run.exitCode = finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

inline QProcessEnvironment WithoutDisplay()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QString::fromLatin1(name));
    return env;
}

class UnattendedRunTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_source = testenv::makeTempDir(u"films"_s) + u"/my film"_s;
        testenv::copyFolder(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/samples/dvd-menuless"), m_source);
        m_home = testenv::makeTempDir(u"home"_s);
        QDir().mkpath(Desktop());
        UseRecorders(BlankDvdPlusRw);
    }

    void UseRecorders(const QByteArray &config) const
    {
        m_copy.WriteFile(u"virtual-recorders.conf"_s, config);
    }

    // A used disc whose old bytes a run that must not touch it leaves so.
    void UseUsedDisc(const QByteArray &config = UsedDvdPlusRw) const
    {
        UseRecorders(config);
        QDir().mkpath(m_copy.File(u"media"_s));
        m_copy.WriteFile(u"media/test-dvd.iso"_s, QByteArray(64 * 2048, '\xab'));
    }

    // Without a script the program gets the arguments; with one, bash runs
    // the script with the program as $0 and the arguments as $1...
    void StartProgram(QProcess &process, const QStringList &arguments, const QString &script = {}) const
    {
        QProcessEnvironment env = WithoutDisplay();
        env.insert(u"HOME"_s, m_home);
        env.insert(u"XDG_CONFIG_HOME"_s, m_home + u"/.config"_s);
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(m_home);
        if (script.isEmpty())
            process.start(m_copy.Executable(), arguments);
        else
            process.start(u"/bin/bash"_s, QStringList{u"-c"_s, script, m_copy.Executable()} + arguments);
        process.waitForStarted();
    }

    ProgramRun RunProgram(const QStringList &arguments, const QString &script = {}) const
    {
        QProcess process;
        StartProgram(process, arguments, script);
        return WaitForProgram(process);
    }

    void AddFiller(qint64 bytes) const
    {
        QFile filler(m_source + u"/FILLER.BIN"_s);
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly) && filler.resize(bytes));
    }

    // The sample's single cell made to end at the last of `sectors` sectors
    // of its (sparse) VOB, in the IFO and its BUP alike.
    void StretchTheOneCell(uint32_t sectors) const
    {
        QFile vob(m_source + u"/VIDEO_TS/VTS_01_1.VOB"_s);
        ASSERT_TRUE(vob.resize(qint64(sectors) * 2048));
        for (const char *name : {"VTS_01_0.IFO", "VTS_01_0.BUP"}) {
            QFile file(m_source + u"/VIDEO_TS/"_s + QLatin1String(name));
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            QByteArray ifo = file.readAll();
            const auto at = [&](qsizetype o) { return qFromBigEndian<quint32>(ifo.constData() + o); };
            const auto put = [&](qsizetype o, quint32 v) { qToBigEndian(v, ifo.data() + o); };
            const qsizetype pgc = at(0xCC) * 2048 + at(at(0xCC) * 2048 + 12);
            const qsizetype cell = pgc + qFromBigEndian<quint16>(ifo.constData() + pgc + 0xE8);
            put(cell + 20, sectors - 1);              // the cell's last sector
            put(at(0xE0) * 2048 + 16, sectors - 1);   // its entry in the cell address table
            put(0x0C, at(0xC4) + sectors + at(0x1C)); // the set's last sector
            ASSERT_TRUE(file.seek(0) && file.write(ifo) == ifo.size());
        }
    }

    QByteArray MediumSnapshot() const
    {
        QFile medium(Image());
        const QByteArray bytes = medium.open(QIODevice::ReadOnly) ? medium.readAll() : QByteArray("(none)");
        return bytes + "|state|" + ReadFile(Image() + u".state"_s).toUtf8();
    }

    // The words of a command line, SOURCE standing for the film folder.
    QStringList Words(const char *line) const
    {
        return QString::fromLatin1(line)
            .split(u' ', Qt::SkipEmptyParts)
            .replaceInStrings(u"SOURCE"_s, m_source);
    }

    // As the built program folder words it, whatever a test does to its copy.
    QString Text(int id) const
    {
        return LanguageText(QStringLiteral(ORVANE_TEST_PROGRAM_DIR "/english.lng"), id);
    }

    QString Desktop() const { return m_home + u"/Desktop"_s; }
    QStringList DesktopFiles() const { return QDir(Desktop()).entryList(QDir::Files); }
    QString RunLog() const { return ReadFile(Desktop() + u"/MY_FILM.log"_s); }
    QString Image() const { return m_copy.File(u"media/test-dvd.iso"_s); }

    ProgramFolderCopy m_copy;
    QString m_source;
    QString m_home;
};

} // namespace e2e
