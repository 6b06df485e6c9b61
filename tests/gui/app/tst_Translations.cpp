#include "TestSettings.h"
#include "core/platform/Translations.h"
#include "core/settings/UserDefaults.h"
#include "gui/app/AppDelegate.h"
#include "gui/app/MainWindowController.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The window speaks the system's language: German here, Quorvale's texts and Qt's own.
class tst_Translations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Translations::install();
    }

    void init() { startClean(); }

    void menusAndQtsOwnTextsAreGerman()
    {
        AppDelegate app(m_folder.filePath(u"expressions.json"_s));
        app.applicationDidFinishLaunching();
        QStringList titles;
        for (const QAction *menu : app.mainWindowController()->menuBar()->actions())
            titles << menu->text();
        QCOMPARE(titles, (QStringList {u"&Datei"_s, u"&Bearbeiten"_s, u"&Suchoptionen"_s, u"&Ansicht"_s, u"&Hilfe"_s}));
        QCOMPARE(app.action(u"preferencesAction"_s)->text(), u"&Einstellungen …"_s);

        auto *field = app.mainWindowController()->findChild<QLineEdit *>(u"replacementField"_s);
        QVERIFY(field);
        std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
        const QList<QAction *> actions = menu->actions();
        QVERIFY(std::any_of(actions.cbegin(), actions.cend(),
                            [](const QAction *action) { return action->text().startsWith(u"Alles auswählen"_s); }));
    }

private:
    QTemporaryDir m_folder;
};

QTEST_MAIN(tst_Translations)
#include "tst_Translations.moc"
