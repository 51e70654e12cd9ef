#include "DialogFixture.h"

#include "TestEnvironment.h"

#include "controls/CThemedIconButton.h"
#include "lang/WindowTexts.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QVBoxLayout>

void DialogFixture::SetUp()
{
    m_programFolder = testenv::makeTempDir(QStringLiteral("program"));
    for (const char *name : {"english.lng", "deutsch.lng"}) {
        ASSERT_TRUE(QFile::copy(QStringLiteral(ORVANE_TEST_SOURCE_DIR "/lang/") + QLatin1String(name),
                                m_programFolder + QLatin1Char('/') + QLatin1String(name)));
    }
    UseLanguage(QStringLiteral("english.lng"));
}

void DialogFixture::UseLanguage(const QString &fileName)
{
    m_texts.SetFile(m_programFolder + QLatin1Char('/') + fileName);
}

QString DialogFixture::CaptionOf(QWidget &window, const char *objectName)
{
    QWidget *control = window.findChild<QWidget *>(QLatin1String(objectName));
    if (auto *button = qobject_cast<QAbstractButton *>(control))
        return button->text();
    if (auto *group = qobject_cast<QGroupBox *>(control))
        return group->title();
    if (auto *label = qobject_cast<QLabel *>(control))
        return label->text();
    ADD_FAILURE() << "no control " << objectName;
    return {};
}

std::unique_ptr<QWidget> MakeMainWindowStandIn()
{
    auto window = std::make_unique<QWidget>();
    auto *layout = new QVBoxLayout(window.get());
    auto *menuBar = new QMenuBar(window.get());
    layout->setMenuBar(menuBar);
    QMenu *settings = menuBar->addMenu(QStringLiteral("Settings"));
    for (auto [command, caption] : {std::pair{40001, "Filesystem Flags"},
                                    {40003, "Other Settings"},
                                    {40004, "&Language"},
                                    {40005, "&Audio"},
                                    {40002, "Save Settings"}}) {
        if (command == 40002)
            settings->addSeparator();
        settings->addAction(QLatin1String(caption))->setProperty("commandId", command);
    }
    for (const auto &row : windowtexts::MainWindowIconButtons()) {
        auto *button = new CThemedIconButton(window.get());
        button->setObjectName(QLatin1String(row.objectName));
        button->setText(QStringLiteral("template"));
        layout->addWidget(button);
    }
    for (const auto &row : windowtexts::MainWindowCaptions()) {
        if (window->findChild<QWidget *>(QLatin1String(row.objectName)))
            continue;
        const QString name = QLatin1String(row.objectName);
        QWidget *control = name.startsWith(QLatin1String("m_grp"))
                               ? static_cast<QWidget *>(new QGroupBox(QStringLiteral("template")))
                           : name.startsWith(QLatin1String("m_stc"))
                               ? static_cast<QWidget *>(new QLabel(QStringLiteral("template")))
                               : static_cast<QWidget *>(new QRadioButton(QStringLiteral("template")));
        control->setObjectName(name);
        layout->addWidget(control);
    }
    for (auto [name, caption] : {std::pair{"m_btnDvd", "&DVD"}, {"m_btnCd", "&CD"}}) {
        auto *radio = new QRadioButton(QLatin1String(caption), window.get());
        radio->setObjectName(QLatin1String(name));
        layout->addWidget(radio);
    }
    return window;
}
