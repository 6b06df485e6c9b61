// The explanation is made on the interface thread, on every edit while its panel shows and for a tooltip over the
// pattern, so one tree of a long pattern bounds how smoothly the pattern can be edited with the panel open. Past
// PatternExplanation::maximumLength the panel says the pattern is too long instead; that must cost nothing.

#include "BenchSupport.h"
#include "core/evaluation/RegularExpression.h"
#include "core/pattern/PatternExplanation.h"
#include "gui/editor/PatternExplanationViewController.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct Times
{
    double median = 0;
    double worst = 0;
};

// After a few unmeasured runs, the median and the worst of runs measured ones.
Times measured(int runs, const std::function<void(int)> &run)
{
    for (int index = 0; index < 3; ++index)
        run(index);
    std::vector<double> times;
    for (int index = 0; index < runs; ++index) {
        QElapsedTimer timer;
        timer.start();
        run(index);
        times.push_back(bench::milliseconds(timer));
    }
    return {bench::median(times), *std::max_element(times.begin(), times.end())};
}

void report(const char *what, const Times &times, double goal)
{
    std::printf("%s: median %.3f ms, worst %.3f ms (goal: worst <= %g ms) %s\n", what, times.median, times.worst, goal,
                bench::verdict(times.worst <= goal));
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int runs = 51;
    const uint32_t flags = RegularExpression::engineFlags(allowCommentsAndWhitespaceOption);

    // Each run a pattern of its own, so that nothing is reused from the run before.
    const QString base = bench::realisticPattern(5000);
    qsizetype nodes = 0;
    const Times tree = measured(runs, [&](int index) {
        const PatternExplanation explanation(base.first(base.size() - 1) + QChar(u'a' + index % 26), flags);
        nodes += explanation.captureGroupCount();
        nodes += explanation.node(PatternExplanation::root).children.size();
    });
    report("tree of a 5,000-character pattern", tree, 5);

    // Without free spacing the comments are pattern too: every character is an element.
    const Times dense = measured(runs, [&](int index) {
        const PatternExplanation explanation(base.first(base.size() - 1) + QChar(u'a' + index % 26), 0);
        nodes += explanation.node(PatternExplanation::root).children.size();
    });
    report("tree of the same pattern without free spacing", dense, 5);

    const Times words = measured(runs, [&](int index) {
        const PatternExplanation explanation(base.first(base.size() - 1) + QChar(u'a' + index % 26), flags);
        for (qsizetype at = 0; at < base.size(); at += 7)
            nodes += explanation.description(explanation.nodeAt(at)).size();
    });
    report("the same tree and the words of every seventh position (tooltips)", words, 50);

    // The panel as the editor drives it: compile for the error, the tree, the model's reset and the first rows laid
    // out, for the longest pattern it explains.
    PatternExplanationViewController panel(nullptr);
    panel.resize(800, 300);
    panel.setOptions(allowCommentsAndWhitespaceOption);
    panel.show();
    panel.setActive(true);
    const QString longest = bench::realisticPattern(PatternExplanation::maximumLength);
    const Times shown = measured(runs, [&](int index) {
        panel.setPattern(longest.first(longest.size() - 1) + QChar(u'a' + index % 26));
        QApplication::processEvents();
    });
    report("panel update for a pattern at the explained limit (20,000 characters), interface thread", shown, 50);

    const QString megabyte = bench::realisticPattern(1'000'000);
    const Times tooLong = measured(runs, [&](int index) {
        panel.setPattern(megabyte.first(megabyte.size() - 1) + QChar(u'a' + index % 26));
        nodes += panel.explanationAt(index).size();
        QApplication::processEvents();
    });
    report("panel update and a tooltip for a 1 MB pattern, interface thread", tooLong, 50);
    return nodes > 0 ? 0 : 1;
}
