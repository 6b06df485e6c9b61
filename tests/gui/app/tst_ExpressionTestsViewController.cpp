#include "LibraryTestSupport.h"
#include "TestSettings.h"
#include "core/library/ExpressionListModel.h"
#include "gui/app/AppDelegate.h"
#include "gui/app/MainSplitViewController.h"
#include "gui/app/MainWindowController.h"
#include "gui/editor/ExpressionTestsViewController.h"
#include "gui/editor/ExpressionViewController.h"
#include "gui/editor/PatternTextView.h"
#include "gui/library/LibraryViewController.h"

#include "UnexpectedWarnings.h"
#include "WindowTestSupport.h"

#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

class tst_ExpressionTestsViewController final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        failOnUnexpectedWarnings();
        resetSettingsToLightDefaults();
    }

    // The sample becomes a passing test; a pattern that no longer finds the same fails it, which the panel and the
    // library row show; another expectation makes it pass again, and every change is saved.
    void testsTheExpressionInTheWindow()
    {
        UserDefaults::standard().setValue(ExpressionTestsViewController::shownKey(), true);
        AppDelegate app(libraryPath());
        QVERIFY(launched(app));
        ExpressionViewController *editor = app.viewController();
        ExpressionTestsViewController *panel = editor->testsPanel();
        replaceText(editor->inputTextView(), u"\\d+"_s);
        replaceText(editor->outputTextView(), u"a1 b22"_s);

        Expression *expression = editor->expression();
        QVERIFY(panel->addButton()->isEnabled());
        panel->addButton()->click();
        QTRY_COMPARE(expression->tests().size(), 1);
        QCOMPARE(expression->tests().at(0).values(), (QStringList {u"1"_s, u"22"_s}));
        QTRY_COMPARE(panel->verdicts().size(), 1);
        QVERIFY(panel->verdicts().at(0).passed);

        const LibraryViewController *library
            = app.mainWindowController()->splitViewController()->libraryViewController();
        const QModelIndex row = library->expressionsModel()->index(0);
        replaceText(editor->inputTextView(), u"\\d"_s);
        QTRY_VERIFY(!panel->verdicts().value(0, {true, {}, {}}).passed);
        QCOMPARE(panel->testsView()->topLevelItem(0)->text(3), u"[\"1\",\"2\",\"2\"]"_s);
        QTRY_VERIFY(row.data(ExpressionListModel::testsFailingRole).toBool());
        QVERIFY(!row.data(Qt::AccessibleDescriptionRole).toString().isEmpty());

        panel->testsView()->setCurrentItem(panel->testsView()->topLevelItem(0));
        panel->expectationBox()->setCurrentIndex(0);
        Q_EMIT panel->expectationBox()->activated(0);
        QCOMPARE(expression->tests().at(0).expectation(), ExpressionTestCase::Expectation::match);
        QTRY_VERIFY(!row.data(ExpressionListModel::testsFailingRole).toBool());
        QTRY_COMPARE(fileContent(libraryPath()).at(0)[u"tests"_s][0][u"expect"_s].toString(), u"match"_s);

        panel->removeButton()->click();
        QVERIFY(expression->tests().isEmpty());
    }

private:
    QTemporaryDir m_folder;
    QString libraryPath() const { return m_folder.filePath(u"expressions.json"_s); }
};

QTEST_MAIN(tst_ExpressionTestsViewController)
#include "tst_ExpressionTestsViewController.moc"
