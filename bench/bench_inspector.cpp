// Millions of matches: what the results cost in memory, and what the match inspector costs on the interface thread
// when they arrive (a reset, then the rows a view shows first), on a generated 5 MB text.

#include "BenchInterface.h"
#include "core/evaluation/MatchInspectorModel.h"
#include "core/evaluation/RegularExpression.h"
#include "core/evaluation/RegularExpressionController.h"
#include "core/evaluation/TextLineIndex.h"
#include "gui/editor/MatchInspectorViewController.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;
using bench::median;
using bench::milliseconds;

namespace {

const int runs = 9;

// Words of two to nine letters, numbers and a few non-ASCII words and emoji, in lines of 60 to 100 units.
QString sampleText(qsizetype length)
{
    QRandomGenerator random(99);
    const QString foreign[] = {u"café"_s, u"Straße"_s, u"東京"_s, u"\U0001F600"_s};
    QString text;
    text.reserve(length + 200);
    qsizetype lineStart = 0;
    while (text.size() < length) {
        const int kind = random.bounded(100);
        if (kind < 85) {
            for (int i = random.bounded(2, 10); i > 0; --i)
                text += QChar(u'a' + random.bounded(26));
        } else if (kind < 95) {
            text += QString::number(random.bounded(100000));
        } else {
            text += foreign[random.bounded(4)];
        }
        if (text.size() - lineStart > 60 + random.bounded(40)) {
            text += u'\n';
            lineStart = text.size();
        } else {
            text += u' ';
        }
    }
    text.truncate(length);
    return text;
}

// One evaluation through a controller on a worker, as the window runs it.
MatchResults evaluated(const RegularExpressionController::Pattern &pattern, const QString &text)
{
    const auto controller = std::make_shared<RegularExpressionController>(pattern, text);
    bench::evaluateOnWorker(controller);
    return controller->results();
}

// One evaluation through the controller, as the window runs it; the results stay alive while RSS is read.
void evaluationMemory(const QString &source, const QString &text)
{
    const RegularExpressionController::Pattern pattern = RegularExpression::compile(source, {}).pattern;
    const qint64 before = bench::statusBytes("VmRSS:");
    QElapsedTimer timer;
    timer.start();
    const MatchResults results = evaluated(pattern, text);
    const double elapsed = milliseconds(timer);
    const qint64 after = bench::statusBytes("VmRSS:");
    const qsizetype count = std::max<qsizetype>(results.count(), 1);
    const double stored = double(results.numberOfRanges()) * 2 * sizeof(qint32);
    std::printf("%-6s %9lld matches in %7.1f ms: storage %.0f bytes/match, RSS delta %.1f bytes/match "
                "(goal <= 200)\n",
                qPrintable(source), qlonglong(results.count()), elapsed, stored,
                double(after - before) / double(count));
}

// A million matches with two groups, the second taking no part in every other match.
MatchResults millionMatches(const QString &text)
{
    MatchResults results(3);
    const qsizetype step = text.size() / 1000000;
    for (qsizetype i = 0; i < 1000000; ++i) {
        const qsizetype start = i * step;
        const TextRange ranges[] = {{start, 4}, {start, 2}, i % 2 ? TextRange {} : TextRange {start + 2, 2}};
        results.appendMatch(ranges);
    }
    return results;
}

// Every cell of rows first..first+99 and of their group rows, as a view showing them asks for.
void readRows(const MatchInspectorModel &model, int first)
{
    for (int row = first; row < first + 100; ++row) {
        const QModelIndex match = model.index(row, 0);
        for (int column = 0; column < MatchInspectorModel::columns; ++column)
            model.index(row, column).data();
        for (int group = 0; group < model.rowCount(match); ++group) {
            for (int column = 0; column < MatchInspectorModel::columns; ++column)
                model.index(group, column, match).data();
        }
    }
}

void inspectorCosts(const QString &text)
{
    const MatchResults results = millionMatches(text);
    MatchInspectorModel model;
    std::vector<double> resets, firstRows, lastRows;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        model.setResults(results, text);
        resets.push_back(milliseconds(timer));
        timer.restart();
        readRows(model, 0);
        firstRows.push_back(milliseconds(timer));
        timer.restart();
        readRows(model, model.rowCount() - 100);
        lastRows.push_back(milliseconds(timer));
    }
    std::printf("inspector, %lld matches: reset %.3f ms, first 100 rows with groups incl. the line index %.2f ms, "
                "last 100 rows %.3f ms (goal: each well under 50 ms)\n",
                qlonglong(results.count()), median(resets), median(firstRows), median(lastRows));

    QTreeView view;
    view.setUniformRowHeights(true);
    view.resize(800, 600);
    view.setModel(&model);
    view.show();
    QCoreApplication::processEvents();
    // QTreeView lays out one entry per top-level row on a reset, so this part grows with the number of matches.
    for (const qsizetype count : {qsizetype(150000), results.count()}) {
        MatchResults shown(3);
        for (qsizetype match = 0; match < count; ++match) {
            const TextRange ranges[] = {results.range(match, 0), results.range(match, 1), results.range(match, 2)};
            shown.appendMatch(ranges);
        }
        std::vector<double> viewResets;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer timer;
            timer.start();
            model.setResults(shown, text);
            view.repaint();
            viewResets.push_back(milliseconds(timer));
        }
        std::printf("inspector in a QTreeView with uniform row heights, %lld matches: reset and paint %.2f ms "
                    "(goal well under 50 ms)\n",
                    qlonglong(count), median(viewResets));
    }
}

// The editor's panel as the window shows it, fed the results of real evaluations: the reset, the view's layout of
// every listed match row and the first paint, and what the laid-out rows cost in memory on top of the results.
void panelCosts(const QString &text)
{
    MatchInspectorViewController panel(nullptr);
    panel.resize(800, 300);
    panel.setActive(true);
    panel.show();
    QCoreApplication::processEvents();
    for (const QString &source : {u"\\d+"_s, u"\\b"_s, u"(?:)"_s}) {
        const RegularExpressionController::Pattern pattern = RegularExpression::compile(source, {}).pattern;
        const MatchResults results = evaluated(pattern, text);
        std::vector<double> times;
        qint64 rowBytes = 0;
        const qsizetype earlierRows = panel.treeView()->model()->rowCount();
        for (int i = 0; i < 5; ++i) {
            if (i > 0)
                panel.clear();
            QCoreApplication::processEvents();
            const qint64 before = bench::statusBytes("VmRSS:");
            QElapsedTimer timer;
            timer.start();
            panel.setResults(results, text, pattern);
            // The reset's layout is posted; the paint needs it.
            QCoreApplication::sendPostedEvents();
            panel.repaint();
            times.push_back(milliseconds(timer));
            // The first reset grows the view's rows from the previous, smaller results; later ones reuse them.
            if (i == 0)
                rowBytes = bench::statusBytes("VmRSS:") - before;
        }
        const qsizetype listed = panel.treeView()->model()->rowCount();
        const QString rowCost = listed > earlierRows
            ? QString::number(double(rowBytes) / double(listed - earlierRows), 'f', 1) + u" bytes per new listed row"_s
            : u"listed rows reused"_s;
        std::printf("inspector panel, %-6s %8lld matches, %lld listed: reset, layout and paint %.1f ms "
                    "(goal well under 100 ms), %s\n",
                    qPrintable(source), qlonglong(results.count()), qlonglong(listed), median(times),
                    qPrintable(rowCost));
    }
}

void lineLookupCosts(const QString &text)
{
    QElapsedTimer timer;
    timer.start();
    const TextLineIndex index(text);
    const double build = milliseconds(timer);
    QRandomGenerator random(5);
    std::vector<qsizetype> offsets(1000000);
    for (qsizetype &offset : offsets)
        offset = random.bounded(qint64(text.size()));
    timer.restart();
    qsizetype sum = 0;
    for (const qsizetype offset : offsets)
        sum += index.position(offset).line;
    const double lookups = milliseconds(timer);
    std::printf("line index of %lld lines: built in %.2f ms, %.0f ns per line:column lookup (goal <= 1000 ns)%s\n",
                qlonglong(index.lineCount()), build, lookups * 1e6 / double(offsets.size()), sum > 0 ? "" : " ?");
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString text = sampleText(5 * 1024 * 1024);
    std::printf("inspector bench: sample text %lld UTF-16 units\n", qlonglong(text.size()));
    evaluationMemory(u"\\b"_s, text);
    evaluationMemory(u"(?:)"_s, text);
    inspectorCosts(text);
    panelCosts(text);
    lineLookupCosts(text);
    return 0;
}
