#include "EditorTestSupport.h"
#include "TestSettings.h"
#include "core/evaluation/ActiveGroupController.h"
#include "core/library/Expression.h"
#include "core/pattern/PatternExplanationModel.h"
#include "core/settings/UserDefaults.h"
#include "gui/editor/ExpressionViewController.h"
#include "gui/editor/OutputTextViewController.h"
#include "gui/editor/PatternExplanationViewController.h"
#include "gui/editor/PatternTextView.h"

#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace {

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
    void init() { startClean(); }

    // The tree follows the pattern and the switches; picking an element selects its span in the pattern, activating a
    // capturing group highlights that group.
    void treeFollowsThePatternAndPicksInIt()
    {
        UserDefaults::standard().setValue(PatternExplanationViewController::shownKey(), true);
        EditorFixture f;
        QTreeView *view = f.editor.explanationPanel()->treeView();
        const QAbstractItemModel *tree = view->model();
        const QString pattern = u"(?<year>\\d{4})-(\\d\\d)"_s;
        f.setPattern(pattern);
        QCOMPARE(tree->index(0, 0).data().toString(), pattern);
        const QModelIndex second = rowSpelled(tree, u"(\\d\\d)"_s);
        QVERIFY(second.isValid());
        view->setCurrentIndex(second);
        QCOMPARE(f.editor.inputTextView()->textCursor().selectedText(), u"(\\d\\d)"_s);

        QTRY_COMPARE(f.editor.outputTextViewController()->matches().count(), 2);
        view->scrollTo(second);
        const QPoint centre = view->visualRect(second).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
        QTRY_COMPARE(f.editor.activeGroupController()->activeGroup(), 2);

        // An invalid pattern's tree ends with ICU's error; the compile options change the words.
        f.setPattern(u"(a"_s);
        const QModelIndex whole = tree->index(0, 0);
        const QModelIndex last = tree->index(tree->rowCount(whole) - 1, PatternExplanationModel::meaningColumn, whole);
        QVERIFY2(last.data().toString().contains(u"U_REGEX_MISMATCHED_PAREN"_s), qPrintable(last.data().toString()));
        f.setPattern(u"^"_s);
        const auto anchorWords = [tree] {
            return tree->index(0, PatternExplanationModel::meaningColumn, tree->index(0, 0)).data().toString();
        };
        QVERIFY(anchorWords().contains(u"multiline is off"_s));
        UserDefaults::standard().setValue(UserDefaultsKey::multiline, true);
        QVERIFY2(anchorWords().contains(u"start of a line"_s), qPrintable(anchorWords()));
    }

    // Hovering a token shows its meaning, with the panel hidden too; past the end of a line there is none.
    void tooltipOverThePattern()
    {
        EditorFixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.editor));
        PatternTextView *view = f.editor.inputTextView();
        f.setPattern(u"a\\d+"_s);
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
};

QTEST_MAIN(tst_PatternExplanationViewController)
#include "tst_PatternExplanationViewController.moc"
