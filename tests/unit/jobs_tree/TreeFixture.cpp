#include "TreeFixture.h"

#include "reclib_api.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fixture {

void MakeFolder(const QString &root, const QString &relativePath)
{
    ASSERT_TRUE(QDir().mkpath(root + "/" + relativePath)) << relativePath.toStdString();
}

void MakeFile(const QString &root, const QString &relativePath, std::int64_t size)
{
    const QString path = root + "/" + relativePath;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_TRUE(file.resize(size));
}

void MakeLink(const QString &root, const QString &relativePath, const QString &target)
{
    const QString path = root + "/" + relativePath;
    QDir().mkpath(QFileInfo(path).path());
    ASSERT_EQ(::symlink(target.toUtf8().constData(), path.toUtf8().constData()), 0) << path.toStdString();
}

void MakeVideoTs(const QString &folder, const QStringList &titleSetFiles)
{
    for (const char *name : {"VIDEO_TS.IFO", "VIDEO_TS.VOB", "VIDEO_TS.BUP"})
        MakeFile(folder, name);
    for (const QString &name : titleSetFiles)
        MakeFile(folder, name);
}

namespace {

void DescribeInto(const IsoItem *item, int depth, QStringList &lines)
{
    for (; item != nullptr; item = item->nextSibling) {
        const QString name = QString::fromUtf8(item->name);
        lines << QString(depth * 2, ' ') + name + (item->directoryFlag ? "/" : "");
        DescribeInto(item->firstChild, depth + 1, lines);
    }
}

} // namespace

QStringList Describe(const IsoItem *root)
{
    QStringList lines;
    DescribeInto(root, 0, lines);
    return lines;
}

QStringList ChildNames(const IsoItem *folder)
{
    QStringList names;
    for (const IsoItem *item = folder ? folder->firstChild : nullptr; item; item = item->nextSibling)
        names << QString::fromUtf8(item->name);
    return names;
}

const IsoItem *FindTop(const IsoItem *root, const char *name)
{
    for (const IsoItem *item = root; item; item = item->nextSibling) {
        if (qstrcmp(item->name, name) == 0)
            return item;
    }
    return nullptr;
}

} // namespace fixture
