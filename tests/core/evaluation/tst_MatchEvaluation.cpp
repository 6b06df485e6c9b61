#include "EvaluationTestSupport.h"
#include "core/evaluation/MatchEvaluation.h"
#include "core/evaluation/MatchEvaluationDelegate.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The evaluation under test, with its reports in a log.
class Recorder final : public MatchEvaluationDelegate
{
public:
    Recorder() { evaluation.setDelegate(this); }

    void matchEvaluationDidStart(MatchEvaluation *) override { log << u"start"_s; }
    void matchEvaluationDidUpdateMatches(MatchEvaluation *, const MatchResults &matches) override
    {
        log << u"matches %1"_s.arg(described(matches));
    }
    void matchEvaluationDidFailToCompile(MatchEvaluation *) override { log << u"invalid"_s; }
    void matchEvaluationDidStop(MatchEvaluation *, EvaluationStopReason) override { log << u"stopped"_s; }
    void matchEvaluationDidFailMatching(MatchEvaluation *, UErrorCode status, qsizetype matchesFound) override
    {
        log << u"failed with %1 after %2"_s.arg(QString::fromLatin1(u_errorName(status))).arg(matchesFound);
    }

    // Until the log has grown by the entries.
    void expect(const QStringList &entries)
    {
        QTRY_COMPARE_WITH_TIMEOUT(log.mid(qMax<qsizetype>(log.size() - entries.size(), 0)), entries, 20000);
    }

    MatchEvaluation evaluation;
    QStringList log;
};

} // namespace

class tst_MatchEvaluation final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { settleEvaluations(); }

    void everyChangeOfInputEvaluates()
    {
        Recorder r;
        r.evaluation.setText(u"Abc abc caf\u00e9"_s);
        r.evaluation.setPattern(u"abc"_s);
        r.expect({u"start"_s, u"matches 4+3"_s});
        r.evaluation.setOptions(caseInsensitiveOption);
        r.expect({u"start"_s, u"matches 0+3 4+3"_s});
        // Canonically equal, but not unit for unit: the engine matches only one spelling.
        r.evaluation.setPattern(u"cafe\u0301"_s);
        r.expect({u"start"_s, u"matches "_s});
        r.evaluation.setText(u"cafe\u0301"_s);
        r.expect({u"start"_s, u"matches 0+5"_s});

        // The same pattern again is no change; an empty one has no matches, at once.
        const qsizetype before = r.log.size();
        r.evaluation.setPattern(u"cafe\u0301"_s);
        r.evaluation.setOptions(caseInsensitiveOption);
        QVERIFY(!r.evaluation.isEvaluating());
        r.evaluation.setPattern(QString());
        QCOMPARE(r.log.mid(before), QStringList {u"matches "_s});
        QVERIFY(!r.evaluation.isEvaluating());
    }

    // The matches of an earlier pattern stay a frame, then stand as stale until the newest input's come.
    void slowRunsMakeTheMatchesStale()
    {
        Recorder r;
        r.evaluation.setText(u"x"_s + catastrophicText());
        r.evaluation.setPattern(u"x"_s);
        r.expect({u"start"_s, u"matches 0+1"_s});
        r.evaluation.setPattern(u"x|(a+)+$"_s);
        QVERIFY(!r.evaluation.areMatchesStale());
        QTRY_VERIFY(r.evaluation.areMatchesStale());
        QCOMPARE(r.evaluation.matches().count(), 1);
        r.evaluation.setPattern(u"b"_s);
        r.expect({u"start"_s, u"start"_s, u"matches 41+1"_s});
        QVERIFY(!r.evaluation.areMatchesStale());
    }
};

QTEST_GUILESS_MAIN(tst_MatchEvaluation)
#include "tst_MatchEvaluation.moc"
