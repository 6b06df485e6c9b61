#include "LibraryTestSupport.h"
#include "TestSettings.h"
#include "core/evaluation/MatchInspectorModel.h"
#include "core/library/ExpressionListModel.h"
#include "core/library/LibraryStoreController.h"
#include "gui/app/MainSplitViewController.h"
#include "gui/editor/ExpressionViewController.h"
#include "gui/editor/MatchInspectorViewController.h"
#include "gui/editor/PatternTextView.h"
#include "gui/library/LibraryTableView.h"
#include "gui/library/LibraryViewController.h"

#include "WindowTestSupport.h"

#include <QClipboard>
#include <QTemporaryDir>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace {

// The main window, active, with the library and the match inspector shown.
struct Window
{
    explicit Window(const QString &libraryPath)
        : app(libraryPath)
    {
        app.applicationDidFinishLaunching();
        editor = app.viewController();
        library = app.mainSplitViewController()->libraryViewController();
        inspector = editor->matchInspector()->treeView();
        app.mainWindowController()->activateWindow();
    }

    // Until the inspector lists the matches of the pattern in the text.
    bool find(const QString &pattern, const QString &text, int matches)
    {
        replaceText(editor->inputTextView(), pattern);
        replaceText(editor->outputTextView(), text);
        return QTest::qWaitFor([this, matches] { return editor->matchInspector()->model()->rowCount() == matches; });
    }

    QStringList enabledEditActions() const
    {
        QStringList enabled;
        for (const QString &name : {u"undo"_s, u"redo"_s, u"cut"_s, u"copy"_s, u"paste"_s, u"selectAll"_s}) {
            if (app.action(name + u"Action"_s)->isEnabled())
                enabled.append(name);
        }
        return enabled;
    }

    QStringList savedNames() const
    {
        library->libraryStoreController()->waitForSaves();
        return fileNames(library->libraryStoreController()->libraryFilePath());
    }

    AppDelegate app;
    ExpressionViewController *editor;
    LibraryViewController *library;
    QTreeView *inspector;
};

} // namespace

class tst_EditMenuController : public QObject
{
    Q_OBJECT
    QTemporaryDir m_folder;
    QString libraryPath() const { return m_folder.filePath(u"expressions.json"_s); }

private Q_SLOTS:
    void init()
    {
        startClean();
        UserDefaults::standard().setValue(UserDefaultsKey::showLeftPanel, true);
        UserDefaults::standard().setValue(MatchInspectorViewController::shownKey(), true);
        QVERIFY(writeLibrary(libraryPath(), {u"A"_s, u"B"_s}));
        QApplication::clipboard()->setText(u"on the clipboard"_s);
    }

    void actionsFollowTheFocus_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QStringList>("enabled");
        QTest::addRow("pattern with typed text selected")
            << u"pattern"_s << QStringList {u"undo"_s, u"cut"_s, u"copy"_s, u"paste"_s, u"selectAll"_s};
        QTest::addRow("empty sample text takes a paste only") << u"sample"_s << QStringList {u"paste"_s};
        QTest::addRow("library before any change") << u"library"_s << QStringList();
        QTest::addRow("library after a rename") << u"renamed library"_s << QStringList {u"undo"_s};
        QTest::addRow("inspector without a selected row") << u"inspector"_s << QStringList();
        QTest::addRow("inspector with a selected row") << u"inspector row"_s << QStringList {u"copy"_s};
    }

    void actionsFollowTheFocus()
    {
        QFETCH(QString, focus);
        QFETCH(QStringList, enabled);
        Window w(libraryPath());
        QVERIFY(QTest::qWaitForWindowActive(w.app.mainWindowController()));
        if (focus.startsWith(u"inspector"_s))
            QVERIFY(w.find(u"\\w"_s, u"xy"_s, 2));

        if (focus == u"pattern"_s) {
            NSTextViewWithPlaceholder *pattern = w.editor->inputTextView();
            pattern->setFocus();
            QTest::keyClicks(pattern, u"ab"_s);
            pattern->selectAll();
        } else if (focus == u"sample"_s) {
            w.editor->outputTextView()->setFocus();
        } else if (focus.endsWith(u"library"_s)) {
            if (focus == u"renamed library"_s)
                w.library->expressionsModel()->setData(w.library->expressionsModel()->index(1), u"Renamed"_s);
            w.library->tableView()->setFocus();
        } else {
            w.inspector->setFocus();
            if (focus == u"inspector row"_s)
                w.inspector->setCurrentIndex(w.inspector->model()->index(1, 0));
        }
        QTRY_COMPARE(w.enabledEditActions(), enabled);
    }

    void copyFromTheInspectorTakesTheRowsAsShown()
    {
        Window w(libraryPath());
        QVERIFY(QTest::qWaitForWindowActive(w.app.mainWindowController()));
        QVERIFY(w.find(u"(\\w)(\\d)?"_s, u"a1 b"_s, 2));
        w.inspector->setFocus();
        QAbstractItemModel *model = w.inspector->model();

        // A closed match row alone.
        w.inspector->setCurrentIndex(model->index(1, 0));
        QTest::keySequence(w.inspector, QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(), u"2\t1:4 (offset 3, length 1)\tb"_s);

        // An open one with its groups under it.
        w.inspector->expand(model->index(0, 0));
        w.inspector->setCurrentIndex(model->index(0, 0));
        QTest::keySequence(w.inspector, QKeySequence::Copy);
        const QStringList lines {u"1\t1:1 (offset 0, length 2)\ta1"_s, u"1\t1:1 (offset 0, length 1)\ta"_s,
                                 u"2\t1:2 (offset 1, length 1)\t1"_s};
        QCOMPARE(QApplication::clipboard()->text(), lines.join(u'\n'));

        // A group row alone, through the menu.
        w.inspector->setCurrentIndex(model->index(1, 0, model->index(0, 0)));
        w.app.action(u"copyAction"_s)->trigger();
        QCOMPARE(QApplication::clipboard()->text(), u"2\t1:2 (offset 1, length 1)\t1"_s);
    }

    void undoActsOnTheFocusedWidget()
    {
        Window w(libraryPath());
        QVERIFY(QTest::qWaitForWindowActive(w.app.mainWindowController()));
        PatternTextView *pattern = w.editor->inputTextView();
        const QString saved = pattern->text();
        pattern->setFocus();
        QTest::keyClicks(pattern, u"x"_s);
        const QString typed = pattern->text();
        QVERIFY(typed != saved);
        ExpressionListModel *model = w.library->expressionsModel();
        model->setData(model->index(1), u"Renamed"_s);
        LibraryTableView *list = w.library->tableView();
        list->setFocus();

        QTest::keySequence(list, QKeySequence::Undo);
        QCOMPARE(w.savedNames(), (QStringList {u"A"_s, u"B"_s}));
        QCOMPARE(pattern->text(), typed);
        QTest::keySequence(list, QKeySequence::Redo);
        QCOMPARE(w.savedNames(), (QStringList {u"A"_s, u"Renamed"_s}));

        pattern->setFocus();
        w.app.action(u"undoAction"_s)->trigger();
        QCOMPARE(pattern->text(), saved);
        QCOMPARE(w.savedNames(), (QStringList {u"A"_s, u"Renamed"_s}));
    }
};

QTEST_MAIN(tst_EditMenuController)
#include "tst_EditMenuController.moc"
