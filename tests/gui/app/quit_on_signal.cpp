// Starts the application as main() does, types into the sample text and says so on standard output; the test then
// ends it with a signal. Run by tst_AppDelegate with the library file and the text to type.
#include "core/platform/SingleInstanceLock.h"
#include "core/settings/UserDefaults.h"
#include "gui/app/AppDelegate.h"
#include "gui/editor/ExpressionViewController.h"
#include "gui/widgets/NSTextViewWithPlaceholder.h"

#include <QApplication>
#include <QFileInfo>
#include <QTest>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quorvale"));
    QApplication::setApplicationName(QStringLiteral("Quorvale"));
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3)
        return 2;
    UserDefaults::standard().registerStandardDefaults();
    SingleInstanceLock lock(QFileInfo(arguments.at(1)).absolutePath());
    if (lock.tryLock() != SingleInstanceLock::State::locked)
        return 3;
    AppDelegate delegate(arguments.at(1), &lock);
    delegate.applicationDidFinishLaunching();
    QTimer::singleShot(0, &delegate, [&delegate, text = arguments.at(2)] {
        QTest::keyClicks(delegate.viewController()->outputTextView(), text);
        std::puts("typed");
        std::fflush(stdout);
    });
    return QApplication::exec();
}
