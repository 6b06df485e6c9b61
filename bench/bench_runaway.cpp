#include "BenchInterface.h"

#include "core/evaluation/ActiveGroupController.h"
#include "core/evaluation/MatchEvaluation.h"
#include "core/evaluation/RegularExpression.h"
#include "core/evaluation/RegularExpressionController.h"
#include "core/library/Expression.h"
#include "core/platform/IcuString.h"
#include "core/settings/UserDefaults.h"
#include "gui/editor/ExpressionViewController.h"
#include "gui/editor/OutputTextViewController.h"
#include "gui/editor/PatternTextView.h"
#include "gui/widgets/NSTextViewWithPlaceholder.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>

#include <cstdio>
#include <set>

using namespace Qt::StringLiterals;
using namespace bench;

namespace {

void setPattern(ExpressionViewController *editor, const QString &pattern)
{
    editor->inputTextView()->selectAll();
    editor->inputTextView()->textCursor().insertText(pattern);
}

bool idle(ExpressionViewController *editor)
{
    return !editor->matchEvaluation()->isEvaluating();
}

// Millions of empty matches through the editor, as the user gets them: time to the information line, and the peak
// memory per match while they were collected, handed over and painted.
void millionsOfMatches(ExpressionViewController *editor, const QString &pattern)
{
    setPattern(editor, u"zzz"_s);
    waitUntil([&] { return idle(editor); });
    const qint64 before = statusBytes("VmRSS:");
    resetPeakMemory();
    QElapsedTimer timer;
    timer.start();
    setPattern(editor, pattern);
    const bool done = waitUntil([&] { return idle(editor); });
    const double elapsed = milliseconds(timer);
    const qint64 peak = statusBytes("VmHWM:");
    const qsizetype count = editor->outputTextViewController()->matches().count();
    std::printf("%-5s over %lld units in the editor: %lld matches in %.0f ms, \"%s\"%s; peak growth %.1f bytes/match "
                "(goal <= 200)\n",
                qPrintable(pattern), qlonglong(editor->outputTextView()->text().size()), qlonglong(count), elapsed,
                qPrintable(editor->activeGroupController()->activeGroupInfo()),
                done && editor->isWarningLabelHidden() ? "" : " NOT FINISHED",
                double(peak - before) / double(std::max<qsizetype>(count, 1)));
}

// From Esc in the pattern to the warning, with the runaway at the end of the text.
double stopLatency(ExpressionViewController *editor, int round)
{
    setPattern(editor, round % 2 ? u"x|(a+)+$"_s : u"(a+)+$"_s);
    waitUntil([&] { return !editor->isProcessingLabelHidden(); });
    QElapsedTimer timer;
    timer.start();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(editor->inputTextView(), &escape);
    waitUntil([&] { return !editor->isWarningLabelHidden(); });
    return milliseconds(timer);
}

// A search that finds nothing, but where every position costs a scan to the end of its line: the case where the
// run starts following the engine's position. Its cost against the bare engine, and how often the progress moved.
void slowSearchProgress(const QString &text)
{
    const RegularExpressionController::Pattern pattern = RegularExpression::compile(u".*Q"_s, {}).pattern;
    QElapsedTimer bare;
    bare.start();
    {
        const icu::UnicodeString input = IcuString::alias(text).value();
        UErrorCode status = U_ZERO_ERROR;
        const std::unique_ptr<icu::RegexMatcher> matcher(pattern->matcher(input, status));
        while (matcher->find(status)) { }
    }
    const double bareTime = milliseconds(bare);

    const auto controller = std::make_shared<RegularExpressionController>(pattern, text);
    QElapsedTimer timer;
    timer.start();
    int polls = 0;
    std::set<qsizetype> seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (timer.elapsed() < 200)
            return;
        ++polls;
        seen.insert(controller->searchedLength());
    });
    poll.start(20);
    evaluateOnWorker(controller);
    const double controllerTime = milliseconds(timer);
    std::printf(".*Q over %lld units: controller %.0f ms, bare ICU %.0f ms, ratio %.2f (goal <= 1.2); progress moved "
                "in %zu of %d polls after the first 0.2 s (goal: all)\n",
                qlonglong(text.size()), controllerTime, bareTime, controllerTime / bareTime, seen.size(), polls);
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    if (!prepareEnvironment(home))
        return 1;
    QApplication application(argc, argv);
    resetStandardDefaults();

    slowSearchProgress(sampleText(1500000));

    const QString text = sampleText(qsizetype(5) << 20);
    Expression expression(u"Runaway"_s, QString(), text);
    ExpressionViewController editor;
    editor.resize(1100, 700);
    editor.show();
    editor.setExpression(&expression);
    millionsOfMatches(&editor, u"\\b"_s);
    millionsOfMatches(&editor, u"(?:)"_s);

    expression.setText(QString());
    editor.setExpression(nullptr);
    editor.setExpression(&expression);
    editor.outputTextView()->setText(sampleText(1000000) + QString(40, u'a') + u'b');
    double worst = 0;
    for (int round = 0; round < 6; ++round)
        worst = std::max(worst, stopLatency(&editor, round));
    std::printf("Esc to \"Evaluation stopped.\" with a runaway at the end of 1 MB, worst of 6: %.1f ms (goal <= 50)\n",
                worst);

    // The new budget evaluates the stopped runaway again.
    QElapsedTimer timer;
    timer.start();
    UserDefaults::standard().setValue(UserDefaultsKey::timeBudget, 1);
    waitUntil([&] { return !editor.isWarningLabelHidden(); });
    std::printf("time budget of 1 s: stopped and told after %.0f ms (goal 1000 to 1100)\n", milliseconds(timer));
    return 0;
}
