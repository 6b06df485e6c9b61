#include "gui/editor/LayoutConstraint.h"
#include "gui/editor/ViewSizeController.h"
#include "gui/widgets/BoxView.h"
#include "gui/widgets/NSTextViewWithPlaceholder.h"

#include "UnexpectedWarnings.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <deque>

using namespace Qt::StringLiterals;

namespace {

struct Screen
{
    Screen()
    {
        // 17 distances, one of them starting at 0.
        for (int i = 0; i < 17; ++i)
            constraints.emplace_back(i == 3 ? 0.0 : 4.0 + i);
        ViewSizeController::Outlets o;
        LayoutConstraint **margins[] = {&o.patternTopMarginConstraint,
                                        &o.patternRightMarginConstraint,
                                        &o.patternBottomMarginConstraint,
                                        &o.patternLeftMarginConstraint,
                                        &o.textTopMarginConstraint,
                                        &o.textRightMarginConstraint,
                                        &o.textBottomMarginConstraint,
                                        &o.textLeftMarginConstraint,
                                        &o.highlightingBoxTopConstraint,
                                        &o.highlightingBoxTrailingConstraint,
                                        &o.highlightingBoxBottomConstraint,
                                        &o.highlightingBoxLeadingConstraint,
                                        &o.highlightingBoxBottomMarginConstraint,
                                        &o.errorLabelBottomMarginConstraint,
                                        &o.processingLabelBottomMarginConstraint,
                                        &o.textPlaceholderLabelTopConstraint,
                                        &o.patternPlaceholderLabelConstraint};
        for (size_t i = 0; i < std::size(margins); ++i)
            *margins[i] = &constraints[i];
        o.highlightingLabel = &highlightingLabel;
        o.errorLabel = &errorLabel;
        o.processingLabel = &processingLabel;
        o.noSelectedExpressionLabel = &noSelectionLabel;
        o.patternPlaceholderLabel = &patternPlaceholder;
        o.textPlaceholderLabel = &textPlaceholder;
        o.highlightingLabelBox = &box;
        o.inputTextView = &input;
        o.outputTextView = &output;
        box.setCornerRadius(5);
        controller.setOutlets(o);
    }

    QList<qreal> constants() const
    {
        QList<qreal> values;
        for (const LayoutConstraint &constraint : constraints)
            values.append(constraint.constant());
        values.append(box.cornerRadius());
        return values;
    }

    std::deque<LayoutConstraint> constraints;
    QLabel highlightingLabel, errorLabel, processingLabel, noSelectionLabel, patternPlaceholder, textPlaceholder;
    BoxView box;
    NSTextViewWithPlaceholder input, output;
    ViewSizeController controller;
};

QList<qreal> fontSizes(const Screen &s)
{
    return {s.input.font().pointSizeF(),
            s.output.font().pointSizeF(),
            s.textPlaceholder.font().pointSizeF(),
            s.noSelectionLabel.font().pointSizeF(),
            s.errorLabel.font().pointSizeF(),
            s.processingLabel.font().pointSizeF(),
            s.highlightingLabel.font().pointSizeF()};
}

QList<qreal> doubled(const QList<qreal> &values)
{
    QList<qreal> result;
    for (const qreal value : values)
        result.append(2 * value);
    return result;
}

} // namespace

class tst_ViewSizeController final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnUnexpectedWarnings(); }

    // Scaled from the values captured at load, so switching back and forth never drifts, and the margin that
    // starts at 0 stays 0 rather than becoming 0/0.
    void switchesWithoutDrift()
    {
        Screen s;
        const QList<qreal> initial = s.constants();
        s.controller.awakeFromNib();
        QCOMPARE(s.constants(), initial);
        const QList<qreal> fonts = fontSizes(s);
        const qreal lineHeight = s.controller.lineHeight();
        for (int round = 0; round < 3; ++round) {
            s.controller.setMode(ViewMode::presentation);
            QCOMPARE(s.constants(), doubled(initial));
            QCOMPARE(fontSizes(s), doubled(fonts));
            QCOMPARE(s.controller.lineHeight(), 2 * lineHeight);
            s.controller.setMode(ViewMode::normal);
            QCOMPARE(s.constants(), initial);
            QCOMPARE(fontSizes(s), fonts);
        }
    }

    void modeBeforeLoadingIsAppliedAtLoad()
    {
        Screen s;
        const QList<qreal> initial = s.constants();
        s.controller.setMode(ViewMode::presentation);
        QCOMPARE(s.constants(), initial);
        s.controller.awakeFromNib();
        QCOMPARE(s.constants(), doubled(initial));
        Screen normal;
        normal.controller.awakeFromNib();
        QCOMPARE(fontSizes(s), doubled(fontSizes(normal)));
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
        Screen s;
        s.controller.setMode(ViewMode(mode));
        s.controller.awakeFromNib();
        const qreal points = s.controller.lineHeight() + s.controller.lineSpacing();
        for (NSTextViewWithPlaceholder *view : {&s.input, &s.output}) {
            // Tall enough that the caret never scrolls the text.
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

    void switchClearsPaintingAndAsksForRepaint()
    {
        Screen s;
        s.output.setText(u"one\ntwo"_s);
        s.controller.awakeFromNib();
        QTextLayout::FormatRange paint {0, 3, {}};
        paint.format.setBackground(Qt::red);
        s.output.document()->firstBlock().layout()->setFormats({paint});
        QSignalSpy applied(&s.controller, &ViewSizeController::sizesApplied);
        s.controller.setMode(ViewMode::presentation);
        QCOMPARE(applied.size(), 1);
        QVERIFY(s.output.document()->firstBlock().layout()->formats().isEmpty());
    }
};

QTEST_MAIN(tst_ViewSizeController)
#include "tst_ViewSizeController.moc"
