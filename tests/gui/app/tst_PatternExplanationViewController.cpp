#include "TestSettings.h"
#include "core/pattern/PatternExplanation.h"
#include "core/pattern/PatternExplanationModel.h"
#include "core/settings/UserDefaults.h"
#include "gui/app/AppDelegate.h"
#include "gui/app/MainWindowController.h"
#include "gui/editor/ExpressionViewController.h"
#include "gui/editor/OutputTextViewController.h"
#include "gui/editor/PatternExplanationViewController.h"
#include "gui/editor/PatternTextView.h"

#include "UnexpectedWarnings.h"

#include <QAction>
#include <QHelpEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace {

void replaceText(NSTextViewWithPlaceholder *view, const QString &text)
{
    view->selectAll();
    view->textCursor().insertText(text);
}

// The row whose element is spelled so, anywhere in the tree.
QModelIndex rowSpelled(const QAbstractItemModel *model, const QString &element, const QModelIndex &parent = {})
{
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        if (index.data().toString() == element)
            return index;
        if (const QModelIndex found = rowSpelled(model, element, index); found.isValid())
            return found;
    }
    return {};
}

// The middle of the character at position, where the pattern view draws it.
QPoint characterCentre(PatternTextView *view, int position)
{
    QTextCursor cursor(view->document());
    cursor.setPosition(position);
    const QRect start = view->cursorRect(cursor);
    cursor.setPosition(position + 1);
    return QPoint((start.left() + view->cursorRect(cursor).left()) / 2, start.center().y());
}

} // namespace

class tst_PatternExplanationViewController final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        failOnUnexpectedWarnings();
        resetSettingsToLightDefaults();
    }

    // The panel from the View menu, its tree following the pattern; picking an element selects its span in the
    // pattern, activating a capturing group highlights that group, and the panel is shown again at the next start.
    void explainsThePatternInTheWindow()
    {
        {
            AppDelegate app(libraryPath());
            app.applicationDidFinishLaunching();
            QVERIFY(QTest::qWaitForWindowExposed(app.mainWindowController()));
            ExpressionViewController *editor = app.viewController();
            PatternExplanationViewController *panel = editor->explanationPanel();
            QAction *show = app.action(u"showExplanationAction"_s);
            QVERIFY(panel->isHidden());
            QVERIFY(!show->isChecked());

            show->trigger();
            QVERIFY(panel->isVisible());
            QVERIFY(show->isChecked());
            const QString pattern = u"(?<year>\\d{4})-(\\d\\d)"_s;
            replaceText(editor->inputTextView(), pattern);
            replaceText(editor->outputTextView(), u"on 2024-05"_s);
            const QAbstractItemModel *model = panel->treeView()->model();
            QCOMPARE(model->index(0, 0).data().toString(), pattern);

            const QModelIndex second = rowSpelled(model, u"(\\d\\d)"_s);
            QVERIFY(second.isValid());
            panel->treeView()->setCurrentIndex(second);
            QCOMPARE(editor->inputTextView()->textCursor().selectedText(), u"(\\d\\d)"_s);

            QTRY_COMPARE(editor->outputTextViewController()->matches().count(), 1);
            panel->treeView()->scrollTo(second);
            const QPoint centre = panel->treeView()->visualRect(second).center();
            QTest::mouseClick(panel->treeView()->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(panel->treeView()->viewport(), Qt::LeftButton, {}, centre);
            QTRY_COMPARE(app.activeGroup(), 2);
            QCOMPARE(editor->inputTextView()->highlightedGroup(), 2);
            app.mainWindowController()->close();
        }
        AppDelegate again(libraryPath());
        again.applicationDidFinishLaunching();
        QVERIFY(again.viewController()->explanationPanel()->isVisible());
        QVERIFY(again.action(u"showExplanationAction"_s)->isChecked());
        again.action(u"showExplanationAction"_s)->trigger();
        QVERIFY(again.viewController()->explanationPanel()->isHidden());
        QCOMPARE(UserDefaults::standard().value(PatternExplanationViewController::shownKey()).toBool(), false);
    }

    // Hovering a token shows its meaning, with the panel hidden too; past the end of a line there is none.
    void tooltipOverThePattern()
    {
        AppDelegate app(libraryPath());
        app.applicationDidFinishLaunching();
        QVERIFY(QTest::qWaitForWindowExposed(app.mainWindowController()));
        PatternTextView *view = app.viewController()->inputTextView();
        replaceText(view, u"a\\d+"_s);
        QVERIFY(app.viewController()->explanationPanel()->isHidden());
        const QPoint digit = characterCentre(view, 2);
        QCOMPARE(view->characterAt(digit), 2);
        QHelpEvent event(QEvent::ToolTip, digit, view->viewport()->mapToGlobal(digit));
        QApplication::sendEvent(view->viewport(), &event);
        QTRY_VERIFY(QToolTip::isVisible());
        QVERIFY2(QToolTip::text().contains(u"decimal digit"_s), qPrintable(QToolTip::text()));

        QTextCursor atEnd(view->document());
        atEnd.movePosition(QTextCursor::End);
        const QRect end = view->cursorRect(atEnd);
        const QPoint pastTheEnd(end.right() + 40, end.center().y());
        QCOMPARE(view->characterAt(pastTheEnd), -1);
        QHelpEvent nothing(QEvent::ToolTip, pastTheEnd, view->viewport()->mapToGlobal(pastTheEnd));
        QApplication::sendEvent(view->viewport(), &nothing);
        QTRY_VERIFY(!QToolTip::isVisible());
    }

    // An invalid pattern's tree ends with ICU's error; the compile options change the words.
    void errorAndOptionsInTheTree()
    {
        AppDelegate app(libraryPath());
        app.applicationDidFinishLaunching();
        app.action(u"showExplanationAction"_s)->trigger();
        ExpressionViewController *editor = app.viewController();
        const QAbstractItemModel *model = editor->explanationPanel()->treeView()->model();
        replaceText(editor->inputTextView(), u"(a"_s);
        const QModelIndex whole = model->index(0, 0);
        const QModelIndex last
            = model->index(model->rowCount(whole) - 1, PatternExplanationModel::meaningColumn, whole);
        QVERIFY2(last.data().toString().contains(u"U_REGEX_MISMATCHED_PAREN"_s), qPrintable(last.data().toString()));

        replaceText(editor->inputTextView(), u"^"_s);
        const auto anchorWords = [&] {
            return model->index(0, PatternExplanationModel::meaningColumn, model->index(0, 0)).data().toString();
        };
        QVERIFY(anchorWords().contains(u"multiline is off"_s));
        UserDefaults::standard().setValue(UserDefaultsKey::multiline, true);
        QVERIFY2(anchorWords().contains(u"start of a line"_s), qPrintable(anchorWords()));
    }

private:
    QTemporaryDir m_folder;
    QString libraryPath() const { return m_folder.filePath(u"expressions.json"_s); }
};

QTEST_MAIN(tst_PatternExplanationViewController)
#include "tst_PatternExplanationViewController.moc"
