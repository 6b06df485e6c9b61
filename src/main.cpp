#include "settings/UserDefaults.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quorvale"));
    QApplication::setApplicationName(QStringLiteral("Quorvale"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVALE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.quorvale.Quorvale"));
    // Before anything reads a setting, so that the first window is built with the registered values.
    UserDefaults::standard().registerStandardDefaults();

    QMainWindow window;
    window.setObjectName(QStringLiteral("mainWindow"));
    window.setWindowTitle(QStringLiteral("Quorvale"));
    auto *label = new QLabel(QObject::tr("Quorvale"), &window);
    label->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(label);
    window.resize(1100, 700);
    window.show();
    return QApplication::exec();
}
