#pragma once

#include <QString>

#include <vector>

// The help project the compiled help file is built from: a folder of HTML
// pages with a project file (*.hhp) that names the start page ("Default
// topic") and the table of contents ("Contents file", a sitemap of nested
// lists, *.hhc). The program's help window shows the same folder.
namespace help {

// One entry of the table of contents; page is relative to the folder and
// may be empty for a heading without a page of its own.
struct Topic
{
    QString name;
    QString page;
    std::vector<Topic> children;
};

struct Project
{
    QString startPage = QStringLiteral("index.html");
    std::vector<Topic> contents;
};

// The entries of a sitemap (.hhc) text, nested as its lists are. Entries
// without a name are dropped; HTML character references in names and pages
// are resolved. Unknown tags and unclosed lists are tolerated.
std::vector<Topic> ParseContents(const QString &sitemap);

// The project of a help folder: its first *.hhp file (in name order) and
// the contents file it names. Without a project file, or with settings it
// lacks, the start page is "index.html" and the contents are empty.
Project ReadProject(const QString &folder);

} // namespace help
