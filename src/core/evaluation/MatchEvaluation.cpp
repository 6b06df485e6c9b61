#include "core/evaluation/MatchEvaluation.h"

#include "core/evaluation/MatchEvaluationDelegate.h"
#include "core/evaluation/RegularExpressionController.h"

MatchEvaluation::MatchEvaluation(QObject *parent)
    : QObject(parent)
    , m_scheduler(std::make_unique<EvaluationScheduler>([this] { return prepare(); }))
{
    m_staleTimer.setSingleShot(true);
    m_staleTimer.setInterval(staleMatchesDelay);
    connect(&m_staleTimer, &QTimer::timeout, this, [this] {
        if (isEvaluating() && !m_matchesAreStale)
            setMatches(m_matches, true);
    });
    connect(m_scheduler.get(), &EvaluationScheduler::runningChanged, this, &MatchEvaluation::isEvaluatingChanged);
    connect(m_scheduler.get(), &EvaluationScheduler::finished, this, &MatchEvaluation::finish);
    connect(m_scheduler.get(), &EvaluationScheduler::stopped, this, &MatchEvaluation::stopped);
    // Newer input took over: what was shown belongs to input before the one now running.
    connect(m_scheduler.get(), &EvaluationScheduler::superseded, this,
            [this] { setMatches(MatchResults(), m_matchesAreStale); });
}

MatchEvaluation::~MatchEvaluation() = default;

void MatchEvaluation::setPattern(const QString &pattern)
{
    // QString equality compares UTF-16 code units, as the engine and every range do.
    if (pattern == m_pattern)
        return;
    m_pattern = pattern;
    m_compiledIsCurrent = false;
    update();
}

void MatchEvaluation::setText(const QString &text)
{
    m_text = text;
    update();
}

void MatchEvaluation::setOptions(RegularExpressionOptions options)
{
    if (options == m_options)
        return;
    m_options = options;
    m_compiledIsCurrent = false;
    update();
}

void MatchEvaluation::update()
{
    // Not restarted by later updates: typing faster than a frame must not keep old matches up.
    if (!m_staleTimer.isActive())
        m_staleTimer.start();
    m_scheduler->restart();
}

bool MatchEvaluation::stop()
{
    return m_scheduler->stop(EvaluationStopReason::user);
}

double MatchEvaluation::progress() const
{
    if (!isEvaluating() || !m_run || m_run->text().isEmpty())
        return 0;
    return double(m_run->searchedLength()) / double(m_run->text().size());
}

EvaluationScheduler::Work MatchEvaluation::prepare()
{
    m_run.reset();
    if (m_pattern.isEmpty()) {
        m_compiledPattern.reset();
        m_compiledIsCurrent = false;
        m_lastText = m_text;
        m_searchDuration.reset();
        publish(MatchResults());
        return {};
    }
    if (m_delegate)
        m_delegate->matchEvaluationDidStart(this);
    // An edit of the text keeps the compiled pattern.
    if (!m_compiledIsCurrent) {
        RegularExpression::CompileResult compiled = RegularExpression::compile(m_pattern, m_options);
        m_compiledPattern = std::move(compiled.pattern);
        m_compileError = std::move(compiled.error);
        m_compiledIsCurrent = true;
    }
    if (!m_compiledPattern) {
        m_searchDuration.reset();
        // Still shown, but not to be taken for the invalid pattern's result.
        if (!m_matchesAreStale)
            setMatches(m_matches, true);
        if (m_delegate)
            m_delegate->matchEvaluationDidFailToCompile(this);
        return {};
    }
    auto run = std::make_shared<RegularExpressionController>(m_compiledPattern, m_text);
    run->setStackLimit(m_stackLimit);
    run->setInjectedMatchingError(m_injectedMatchingError);
    m_run = run;
    return [run](const std::atomic<bool> &shouldStop) { return run->run(shouldStop); };
}

void MatchEvaluation::finish()
{
    const std::shared_ptr<RegularExpressionController> run = std::exchange(m_run, nullptr);
    m_lastText = run->text();
    const UErrorCode failure = run->matchingError();
    if (U_FAILURE(failure)) {
        m_searchDuration.reset();
        // The matches before the failure are not all there are: shown, they would pass for the complete result.
        m_staleTimer.stop();
        setMatches(MatchResults(), false);
        if (m_delegate)
            m_delegate->matchEvaluationDidFailMatching(this, failure, run->results().count());
        return;
    }
    m_searchDuration = run->duration();
    publish(run->results());
}

void MatchEvaluation::stopped(EvaluationStopReason reason)
{
    const std::shared_ptr<RegularExpressionController> run = std::exchange(m_run, nullptr);
    m_lastText = run->text();
    m_searchDuration.reset();
    // What a stopped run found is not all there is: shown, it would pass for the complete result.
    setMatches(MatchResults(), m_matchesAreStale);
    if (m_delegate)
        m_delegate->matchEvaluationDidStop(this, reason);
}

void MatchEvaluation::publish(const MatchResults &results)
{
    m_staleTimer.stop();
    setMatches(results, false);
    if (m_delegate)
        m_delegate->matchEvaluationDidUpdateMatches(this, results);
}

void MatchEvaluation::setMatches(const MatchResults &matches, bool stale)
{
    m_matches = matches;
    m_matchesAreStale = stale;
    Q_EMIT matchesChanged();
}
