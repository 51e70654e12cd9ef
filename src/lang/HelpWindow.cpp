#include "lang/HelpWindow.h"

#include "TextIds.h"
#include "controls/CThemedIconButton.h"
#include "controls/LinkOpening.h"
#include "lang/CLanguageText.h"
#include "lang/HelpFile.h"
#include "platform/TextFormat.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {

constexpr int PageRole = Qt::UserRole;

CThemedIconButton *MakeButton(QWidget *parent, CThemeApi &theme,
                              QStyle::StandardPixmap icon = QStyle::SP_CustomBase)
{
    auto *button = new CThemedIconButton(parent);
    button->BindTheme(&theme);
    button->setAutoDefault(false);
    if (icon != QStyle::SP_CustomBase)
        button->SetIconImage(parent->style()->standardIcon(icon).pixmap(16, 16));
    return button;
}

} // namespace

HelpWindow::HelpWindow(const CLanguageText &texts, QWidget &owner)
    : QWidget(&owner, Qt::Window), m_texts(texts)
{
    setObjectName(QStringLiteral("HelpWindow"));
    CreateControls();
    LayOutControls();
    ConnectControls();
    resize(760, 520);
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::CreateControls()
{
    // Named after their members, as the dialogs' controls are.
    const auto named = [](QWidget *widget, const char *name) {
        widget->setObjectName(QLatin1String(name));
        return widget;
    };
    m_btnBack = MakeButton(this, m_theme, QStyle::SP_ArrowBack);
    m_btnForward = MakeButton(this, m_theme, QStyle::SP_ArrowForward);
    m_btnFindNext = MakeButton(this, m_theme);
    m_btnFindPrevious = MakeButton(this, m_theme);
    m_stcFind = new QLabel(this);
    m_edtFind = new QLineEdit(this);
    m_stcNoMatch = new QLabel(this);
    m_stcMissing = new QLabel(this);
    m_pContents = new QTreeWidget(this);
    m_pBrowser = new QTextBrowser(this);
    named(m_btnBack, "m_btnBack");
    named(m_btnForward, "m_btnForward");
    named(m_btnFindNext, "m_btnFindNext");
    named(m_btnFindPrevious, "m_btnFindPrevious");
    named(m_edtFind, "m_edtFind");
    named(m_stcNoMatch, "m_stcNoMatch")->hide();
    named(m_stcMissing, "m_stcMissing")->hide();
    m_stcFind->setBuddy(m_edtFind);
    m_stcMissing->setWordWrap(true);
    m_pContents->setColumnCount(1);
    // Links are followed here, so that a missing page is handled like one
    // asked for by a window, and other targets go to the desktop.
    m_pBrowser->setOpenLinks(false);
    m_btnBack->setEnabled(false);
    m_btnForward->setEnabled(false);
}

void HelpWindow::LayOutControls()
{
    auto *bar = new QHBoxLayout;
    bar->addWidget(m_btnBack);
    bar->addWidget(m_btnForward);
    bar->addStretch();
    for (QWidget *widget : std::initializer_list<QWidget *>{m_stcNoMatch, m_stcFind, m_edtFind, m_btnFindNext,
                                                            m_btnFindPrevious})
        bar->addWidget(widget);
    auto *splitter = new QSplitter(this);
    splitter->addWidget(m_pContents);
    splitter->addWidget(m_pBrowser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 560});
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_stcMissing);
    layout->addWidget(splitter, 1);
}

void HelpWindow::ConnectControls()
{
    const auto findNext = [this] { Find(m_edtFind->text(), Direction::Forward); };
    const auto findPrevious = [this] { Find(m_edtFind->text(), Direction::Backward); };
    const auto follow = [this](QTreeWidgetItem *item) { ShowPage(item->data(0, PageRole).toString()); };
    connect(m_btnBack, &QAbstractButton::clicked, this, &HelpWindow::Back);
    connect(m_btnForward, &QAbstractButton::clicked, this, &HelpWindow::Forward);
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, m_btnBack, &QWidget::setEnabled);
    connect(m_pBrowser, &QTextBrowser::forwardAvailable, m_btnForward, &QWidget::setEnabled);
    connect(m_pBrowser, &QTextBrowser::anchorClicked, this, &HelpWindow::OnLinkClicked);
    connect(m_pBrowser, &QTextBrowser::sourceChanged, this, &HelpWindow::OnPageShown);
    connect(m_pContents, &QTreeWidget::itemActivated, this, follow);
    connect(m_pContents, &QTreeWidget::itemClicked, this, follow);
    connect(m_edtFind, &QLineEdit::textEdited, this, &HelpWindow::OnFindEdited);
    connect(m_edtFind, &QLineEdit::returnPressed, this, findNext);
    connect(m_btnFindNext, &QAbstractButton::clicked, this, findNext);
    connect(m_btnFindPrevious, &QAbstractButton::clicked, this, findPrevious);
    connect(new QShortcut(QKeySequence::FindNext, this), &QShortcut::activated, this, findNext);
    connect(new QShortcut(QKeySequence::FindPrevious, this), &QShortcut::activated, this, findPrevious);
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        m_edtFind->setFocus();
        m_edtFind->selectAll();
    });
}

void HelpWindow::ApplyTexts()
{
    setWindowTitle(m_texts.GetText(textid::HelpTitle));
    m_pContents->setHeaderLabel(m_texts.GetText(textid::HelpContents));
    m_btnBack->setText(m_texts.GetText(textid::HelpBack));
    m_btnForward->setText(m_texts.GetText(textid::HelpForward));
    m_stcFind->setText(m_texts.GetText(textid::HelpFind));
    m_btnFindNext->setText(m_texts.GetText(textid::HelpFindNext));
    m_btnFindPrevious->setText(m_texts.GetText(textid::HelpFindPrevious));
    m_stcNoMatch->setText(m_texts.GetText(textid::HelpNoMatch));
}

void HelpWindow::Open(const QString &folder, const QString &page)
{
    ApplyTexts();
    if (folder != m_strFolder)
        LoadProject(folder);
    ShowPage(page.isEmpty() ? m_project.startPage : page);
}

void HelpWindow::LoadProject(const QString &folder)
{
    m_strFolder = folder;
    m_project = help::ReadProject(folder);
    m_pContents->clear();
    AddTopics(nullptr, m_project.contents);
    m_pContents->expandAll();
    m_pBrowser->setSearchPaths({folder});
    m_pBrowser->clearHistory();
}

void HelpWindow::AddTopics(QTreeWidgetItem *parent, const std::vector<help::Topic> &topics)
{
    for (const help::Topic &topic : topics) {
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_pContents);
        item->setText(0, topic.name);
        item->setData(0, PageRole, topic.page);
        AddTopics(item, topic.children);
    }
}

void HelpWindow::ShowPage(const QString &page)
{
    if (page.isEmpty())
        return; // a heading of the contents without a page
    const QString file = page.section(QLatin1Char('#'), 0, 0);
    const QString anchor = page.section(QLatin1Char('#'), 1);
    QUrl url;
    if (QFileInfo(QDir(m_strFolder).filePath(file)).isFile()) {
        m_stcMissing->hide();
        m_stcMissing->clear();
        url = QUrl::fromLocalFile(QDir(m_strFolder).filePath(file));
        if (!anchor.isEmpty())
            url.setFragment(anchor);
    } else {
        m_stcMissing->setText(FormatText(m_texts.GetText(textid::HelpPageMissing), {file}));
        m_stcMissing->show();
        if (!QFileInfo(QDir(m_strFolder).filePath(m_project.startPage)).isFile())
            return; // not even the start page: the line says what is missing
        url = QUrl::fromLocalFile(QDir(m_strFolder).filePath(m_project.startPage));
    }
    m_pBrowser->setSource(url);
}

void HelpWindow::OnLinkClicked(const QUrl &url)
{
    const QUrl target = m_pBrowser->source().resolved(url);
    if (!target.isLocalFile()) {
        linkopen::OpenUrl(target);
        return;
    }
    const QString page = PageOf(target);
    ShowPage(target.hasFragment() ? page + QLatin1Char('#') + target.fragment() : page);
}

void HelpWindow::OnPageShown(const QUrl &url)
{
    // The browser tells the new page before its source() has caught up.
    const QString page = PageOf(url);
    m_stcNoMatch->hide();
    // Select the contents entry of the page without following it again.
    const QSignalBlocker blocker(m_pContents);
    m_pContents->clearSelection();
    for (QTreeWidgetItemIterator it(m_pContents); *it; ++it) {
        if ((*it)->data(0, PageRole).toString() == page) {
            m_pContents->setCurrentItem(*it);
            break;
        }
    }
}

QString HelpWindow::PageOf(const QUrl &url) const
{
    return url.isLocalFile() ? QDir(m_strFolder).relativeFilePath(url.toLocalFile()) : QString();
}

bool HelpWindow::Find(const QString &text, Direction direction)
{
    if (text.isEmpty()) {
        m_stcNoMatch->hide();
        return false;
    }
    const QTextDocument::FindFlags flags =
        direction == Direction::Backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    bool found = m_pBrowser->find(text, flags);
    if (!found) {
        // Once around: from the other end of the page.
        QTextCursor cursor = m_pBrowser->textCursor();
        cursor.movePosition(direction == Direction::Backward ? QTextCursor::End : QTextCursor::Start);
        m_pBrowser->setTextCursor(cursor);
        found = m_pBrowser->find(text, flags);
    }
    m_stcNoMatch->setVisible(!found);
    return found;
}

void HelpWindow::OnFindEdited()
{
    // Typing refines the match in place: search again from where the
    // current match starts.
    QTextCursor cursor = m_pBrowser->textCursor();
    cursor.setPosition(cursor.selectionStart());
    m_pBrowser->setTextCursor(cursor);
    Find(m_edtFind->text(), Direction::Forward);
}

void HelpWindow::Back()
{
    m_pBrowser->backward();
}

void HelpWindow::Forward()
{
    m_pBrowser->forward();
}

HelpWindow *ShowHelp(QWidget &asker, const CLanguageText &texts, const QString &programFolder,
                     const QString &languageFile, const QString &page)
{
    const QString folder = HelpFolderPath(programFolder, languageFile);
    if (!QFileInfo(folder).isDir())
        return nullptr;
    auto *window = asker.findChild<HelpWindow *>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new HelpWindow(texts, asker);
    window->Open(folder, page);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
