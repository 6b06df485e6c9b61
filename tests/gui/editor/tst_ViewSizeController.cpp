#include "EditorTestSupport.h"
#include "TestSettings.h"
#include "gui/editor/LayoutConstraint.h"
#include "gui/editor/ViewSizeController.h"
#include "gui/widgets/BoxView.h"
#include "gui/widgets/NSTextViewWithPlaceholder.h"

#include <QLabel>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

using namespace Qt::StringLiterals;

namespace {

// Every margin and font the sizes set in the editor, and the corner of its group box.
QList<qreal> sizes(const ViewSizeController::Outlets &o)
{
    QList<qreal> values;
    for (const LayoutConstraint *margin :
         {o.patternTopMarginConstraint, o.patternRightMarginConstraint, o.patternBottomMarginConstraint,
          o.patternLeftMarginConstraint, o.textTopMarginConstraint, o.textRightMarginConstraint,
          o.textBottomMarginConstraint, o.textLeftMarginConstraint, o.highlightingBoxTopConstraint,
          o.highlightingBoxTrailingConstraint, o.highlightingBoxBottomConstraint, o.highlightingBoxLeadingConstraint,
          o.highlightingBoxBottomMarginConstraint, o.errorLabelBottomMarginConstraint,
          o.processingLabelBottomMarginConstraint, o.textPlaceholderLabelTopConstraint,
          o.patternPlaceholderLabelConstraint})
        values.append(margin->constant());
    values.append(o.highlightingLabelBox->cornerRadius());
    for (const QWidget *widget : std::initializer_list<const QWidget *> {
             o.inputTextView, o.outputTextView, o.textPlaceholderLabel, o.noSelectedExpressionLabel, o.errorLabel,
             o.processingLabel, o.highlightingLabel})
        values.append(widget->font().pointSizeF());
    return values;
}

QList<qreal> doubled(QList<qreal> values)
{
    for (qreal &value : values)
        value *= 2;
    return values;
}

} // namespace

class tst_ViewSizeController final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { startClean(); }

    // Scaled from the values captured at load, so switching back and forth never drifts, and the placeholders' offsets,
    // which start at 0, stay 0 rather than becoming 0/0.
    void switchesWithoutDrift()
    {
        EditorFixture f;
        const ViewSizeController *controller = f.editor.viewSizeController();
        const QList<qreal> normal = sizes(controller->outlets());
        QVERIFY(normal.contains(0));
        const qreal lineHeight = controller->lineHeight();
        for (int round = 0; round < 3; ++round) {
            f.editor.setViewMode(ViewMode::presentation);
            QCOMPARE(sizes(controller->outlets()), doubled(normal));
            QCOMPARE(controller->lineHeight(), 2 * lineHeight);
            f.editor.setViewMode(ViewMode::normal);
            QCOMPARE(sizes(controller->outlets()), normal);
        }
    }

    void linesAreSpacedAsTheSizesSay_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addRow("normal") << int(ViewMode::normal);
        QTest::addRow("presentation") << int(ViewMode::presentation);
    }

    // Measured where the caret goes, from line to line and from one wrapped row of a line to the next, in both views.
    void linesAreSpacedAsTheSizesSay()
    {
        QFETCH(int, mode);
        // The views alone, each tall enough that the caret never scrolls the text; the line metrics are theirs only.
        NSTextViewWithPlaceholder input, output;
        ViewSizeController controller;
        ViewSizeController::Outlets outlets;
        outlets.inputTextView = &input;
        outlets.outputTextView = &output;
        controller.setOutlets(outlets);
        controller.setMode(ViewMode(mode));
        controller.awakeFromNib();
        const qreal points = controller.lineHeight() + controller.lineSpacing();
        for (NSTextViewWithPlaceholder *view : {&input, &output}) {
            view->resize(300, 1200);
            view->show();
            QVERIFY(QTest::qWaitForWindowExposed(view));
            view->setText(u"one\ntwo "_s + QString(80, u'x') + u"\nthree"_s);
            const qreal expected = points * view->logicalDpiY() / 72.0;
            QVERIFY(expected > QFontMetricsF(view->font()).lineSpacing() + 1);
            const auto caretTop = [view](int position) {
                QTextCursor cursor(view->document());
                cursor.setPosition(position);
                view->setTextCursor(cursor);
                return view->cursorRect().top();
            };
            // Whole pixels: within one of the exact pitch, and the same for every line.
            const int pitch = caretTop(4) - caretTop(0);
            QVERIFY2(qAbs(pitch - expected) <= 1, qPrintable(QString::number(pitch)));
            const QTextBlock wrapped = view->document()->findBlockByNumber(1);
            QVERIFY(wrapped.layout()->lineCount() > 2);
            QCOMPARE(caretTop(wrapped.position() + wrapped.layout()->lineAt(1).textStart()) - caretTop(4), pitch);
            QCOMPARE(caretTop(view->document()->lastBlock().position()) - caretTop(4),
                     wrapped.layout()->lineCount() * pitch);
            view->hide();
        }
    }
};

QTEST_MAIN(tst_ViewSizeController)
#include "tst_ViewSizeController.moc"
