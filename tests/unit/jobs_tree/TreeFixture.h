#pragma once

#include "RecordingJobWindow.h"
#include "support/TestEnvironment.h"

#include "jobs/tree/CompilationBuilder.h"
#include "reclib_api.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <gtest/gtest.h>

#include <cstdint>
#include <unistd.h>

// Source folders on disk for the compilation and size tests, and the disc
// tree they turn into.
namespace fixture {

// Creates a file (and its folders) below root; size bytes long, sparse.
inline void MakeFile(const QString &root, const QString &relativePath, std::int64_t size = 0)
{
    const QString path = root + "/" + relativePath;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_TRUE(file.resize(size));
}

inline void MakeFiles(const QString &root, const QStringList &relativePaths)
{
    for (const QString &path : relativePaths)
        MakeFile(root, path);
}

inline void MakeLink(const QString &root, const QString &relativePath, const QString &target)
{
    const QString path = root + "/" + relativePath;
    QDir().mkpath(QFileInfo(path).path());
    ASSERT_EQ(::symlink(target.toUtf8().constData(), path.toUtf8().constData()), 0) << path.toStdString();
}

// The tree as lines in depth-first order: "NAME/" for a folder, "NAME" for
// a file, children indented by two blanks per level.
inline QStringList Describe(const IsoItem *item, int depth = 0)
{
    QStringList lines;
    for (; item != nullptr; item = item->nextSibling) {
        lines << QString(depth * 2, ' ') + QString::fromUtf8(item->name) + (item->directoryFlag ? "/" : "");
        lines << Describe(item->firstChild, depth + 1);
    }
    return lines;
}

// The names of one folder's entries, in order.
inline QStringList ChildNames(const IsoItem *folder)
{
    QStringList names;
    for (const IsoItem *item = folder ? folder->firstChild : nullptr; item; item = item->nextSibling)
        names << QString::fromUtf8(item->name);
    return names;
}

// The entry of that name among item and its following siblings, or null.
inline const IsoItem *FindTop(const IsoItem *item, const char *name)
{
    while (item && qstrcmp(item->name, name) != 0)
        item = item->nextSibling;
    return item;
}

} // namespace fixture

// A fresh source folder and a builder reporting to a recording window.
class CompilationTest : public ::testing::Test
{
protected:
    IsoItem *Build() { return builder.BuildCompilation(source); }
    // A VIDEO_TS folder with the manager's files and the given title-set files.
    void MakeVideoTs(const QStringList &titleSetFiles = {})
    {
        fixture::MakeFiles(source,
                           {"VIDEO_TS/VIDEO_TS.IFO", "VIDEO_TS/VIDEO_TS.VOB", "VIDEO_TS/VIDEO_TS.BUP"});
        for (const QString &name : titleSetFiles)
            fixture::MakeFile(source, "VIDEO_TS/" + name);
    }
    // A build that must fail: its last log line, the status line, no tree.
    void ExpectFailedWith(const QString &lastLogLine)
    {
        window.log.clear();
        window.status.clear();
        EXPECT_EQ(Build(), nullptr);
        EXPECT_EQ(tree.get(), nullptr);
        ASSERT_FALSE(window.log.isEmpty());
        EXPECT_EQ(window.log.back(), lastLogLine);
        EXPECT_EQ(window.status, QStringList({"<771>", "<774>"}));
    }

    QString source = testenv::makeTempDir("source");
    RecordingJobWindow window;
    IsoTree tree;
    CompilationBuilder builder{window, tree};
};
