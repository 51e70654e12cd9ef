#include "app/CBurnApp.h"

#include <QApplication>
#include <QWidget>

int CBurnApp::Run(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Orvane Burn 1.2.0"));
    window.show();
    return app.exec();
}
