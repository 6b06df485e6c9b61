#include "gui/editor/OutputTextViewController.h"

#include "core/evaluation/EvaluationThreadPool.h"
#include "core/evaluation/RegularExpressionController.h"
#include "core/settings/LightAppearance.h"
#include "gui/editor/OutputTextViewControllerDelegate.h"
#include "gui/widgets/NSTextViewWithPlaceholder.h"

#include <QThreadPool>

#include <algorithm>

OutputTextViewController::OutputTextViewController(NSTextViewWithPlaceholder *textView, QObject *parent)
    : QObject(parent)
    , m_textView(textView)
{
    setAppearance(LightAppearance());
    m_budgetTimer.setSingleShot(true);
    // A coarse timer fires up to 5 % early, and a run must have all of its budget.
    m_budgetTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_budgetTimer, &QTimer::timeout, this, [this] {
        // A run already being replaced by newer input is not over budget: the newer one starts its own.
        if (!m_updatePending)
            stopEvaluation(EvaluationStopReason::timeBudget);
    });
    m_staleTimer.setSingleShot(true);
    m_staleTimer.setInterval(stalePaintingDelay);
    connect(&m_staleTimer, &QTimer::timeout, this, [this] {
        if (m_expressionController)
            markPaintingStale();
    });
    if (m_textView) {
        m_textView->setUpdateDelegate(this);
        connect(m_textView, &NSTextViewWithPlaceholder::visibleBlocksChanged, this,
                &OutputTextViewController::paintVisibleBlocks);
    }
}

OutputTextViewController::~OutputTextViewController()
{
    // A run still going must not call back into a destroyed delegate, nor keep a core busy.
    if (m_expressionController) {
        m_expressionController->setDelegate(nullptr);
        EvaluationThreadPool::instance()->start(
            [controller = m_expressionController] { controller->stopEvaluation([] {}); });
    }
}

void OutputTextViewController::setPattern(const QString &pattern)
{
    // QString equality compares UTF-16 code units, as the engine and every range do.
    if (pattern == m_pattern)
        return;
    m_pattern = pattern;
    updateMatches();
}

void OutputTextViewController::setOptions(RegularExpressionOptions options)
{
    if (options == m_options)
        return;
    m_options = options;
    updateMatches();
}

void OutputTextViewController::setAppearance(const Appearance &palette)
{
    m_matchColors[0] = palette.highlightColor(0).toQColor();
    m_matchColors[1] = palette.highlightColor(1).toQColor();
    paintVisibleBlocks();
}

void OutputTextViewController::setActiveGroup(int group)
{
    if (group == m_activeGroup)
        return;
    m_activeGroup = group;
    updateHighlighting();
}

void OutputTextViewController::setMatches(const MatchResults &matches)
{
    m_matches = matches;
    updateHighlighting();
}

void OutputTextViewController::textViewWithPlaceholderDidUpdateText(NSTextViewWithPlaceholder *, const QString &)
{
    updateMatches();
}

void OutputTextViewController::updateMatches()
{
    // Not restarted by later updates: typing faster than a frame must not keep old painting up.
    if (!m_staleTimer.isActive())
        m_staleTimer.start();
    if (!m_expressionController) {
        evaluate();
        return;
    }
    if (m_updatePending)
        return;
    m_updatePending = true;
    requestStop();
}

bool OutputTextViewController::stopEvaluation(EvaluationStopReason reason)
{
    if (!m_expressionController)
        return false;
    // When an edit's stop is already on its way, it is the newer input's evaluation that must not follow.
    const bool stopRequested = m_updatePending || m_stopReason;
    m_updatePending = false;
    if (!m_stopReason)
        m_stopReason = reason;
    if (!stopRequested)
        requestStop();
    return true;
}

void OutputTextViewController::requestStop()
{
    QPointer<OutputTextViewController> guarded(this);
    EvaluationThreadPool::instance()->start([controller = m_expressionController, guarded] {
        // Every request carries this completion: a later request for the same run may be dropped in its favour.
        controller->stopEvaluation([guarded] {
            // Runs on the main thread after the stopped run's closing notification. An edit handled in between
            // may already have evaluated the newest input.
            if (guarded && guarded->m_updatePending)
                guarded->updateMatches();
        });
    });
}

double OutputTextViewController::evaluationProgress() const
{
    if (!m_expressionController || m_expressionController->text().isEmpty())
        return 0;
    return double(m_expressionController->searchedLength()) / double(m_expressionController->text().size());
}

void OutputTextViewController::evaluate()
{
    m_updatePending = false;
    if (!m_textView) {
        m_lastText.clear();
        publish(MatchResults());
        return;
    }
    const QString text = m_textView->text();
    if (m_pattern.isEmpty()) {
        m_compiledPattern.reset();
        m_lastText = text;
        publish(MatchResults());
        return;
    }
    if (m_delegate)
        m_delegate->outputTextViewControllerDidStartUpdatingMatches(this);
    const RegularExpression::CompileResult compiled = RegularExpression::compile(m_pattern, m_options);
    m_compiledPattern = compiled.pattern;
    if (!compiled.isValid()) {
        m_compileError = compiled.error;
        markPaintingStale();
        if (m_delegate) {
            //: Error message
            m_delegate->outputTextViewControllerDidFinishUpdatingMatchesWithError(this, tr("Expression is invalid"));
        }
        return;
    }
    m_compileError.reset();
    m_expressionController = RegularExpressionController::create(compiled.pattern, text);
    m_expressionController->setDelegate(this);
    m_expressionController->setStackLimit(m_stackLimit);
    m_expressionController->setInjectedMatchingError(m_injectedMatchingError);
    m_expressionController->startEvaluation();
    if (m_timeBudget > std::chrono::milliseconds::zero())
        m_budgetTimer.start(m_timeBudget);
}

void OutputTextViewController::publish(const MatchResults &results)
{
    m_staleTimer.stop();
    m_paintingIsStale = false;
    setMatches(results);
    if (m_delegate)
        m_delegate->outputTextViewControllerDidUpdateMatches(this, results);
}

void OutputTextViewController::setEvaluatingExpression(bool evaluating)
{
    if (evaluating == m_isEvaluatingExpression)
        return;
    m_isEvaluatingExpression = evaluating;
    Q_EMIT isEvaluatingExpressionChanged(evaluating);
}

void OutputTextViewController::regularExpressionControllerDidStartEvaluating(RegularExpressionController *controller)
{
    if (controller != m_expressionController.get())
        return;
    setEvaluatingExpression(true);
}

void OutputTextViewController::regularExpressionControllerDidFinishEvaluating(RegularExpressionController *controller,
                                                                              const MatchResults &results)
{
    if (controller != m_expressionController.get())
        return;
    if (m_updatePending) {
        // The input changed while the run was finishing: its results are already outdated, and the stop's
        // completion evaluates the newest input. Only the newest outcome is ever shown.
        regularExpressionControllerDidCancelEvaluating(controller);
        return;
    }
    m_lastText = controller->text();
    const UErrorCode failure = controller->matchingError();
    // Dropped before publishing, so that an update requested by a delegate evaluates at once.
    finishRun();
    if (U_FAILURE(failure)) {
        // The matches before the failure are not all there are: painted, they would pass for the complete result.
        m_staleTimer.stop();
        m_paintingIsStale = false;
        setMatches(MatchResults());
        if (m_delegate)
            m_delegate->outputTextViewControllerDidFailMatching(this, failure, results.count());
        return;
    }
    publish(results);
}

void OutputTextViewController::regularExpressionControllerDidCancelEvaluating(RegularExpressionController *controller)
{
    if (controller != m_expressionController.get())
        return;
    m_lastText = controller->text();
    const bool stopped = m_stopReason && !m_updatePending;
    const EvaluationStopReason reason = m_stopReason.value_or(EvaluationStopReason::user);
    finishRun();
    // What a stopped run found is not all there is: painted, it would pass for the complete result.
    setMatches(MatchResults());
    if (stopped && m_delegate)
        m_delegate->outputTextViewControllerDidStopUpdatingMatches(this, reason);
}

void OutputTextViewController::markPaintingStale()
{
    if (m_paintingIsStale)
        return;
    m_paintingIsStale = true;
    updateHighlighting();
}

void OutputTextViewController::finishRun()
{
    m_budgetTimer.stop();
    m_stopReason.reset();
    m_expressionController.reset();
    setEvaluatingExpression(false);
}

bool OutputTextViewController::textIsCurrent()
{
    // Comparing a megabyte of text on every scroll would be wasteful: an unchanged document revision means an
    // unchanged text.
    const int revision = m_textView->document()->revision();
    if (revision != m_currentRevision) {
        m_currentRevision = revision;
        // A typed or deleted character changes the length: no need to read the whole text to know.
        m_painting
            = m_textView->document()->characterCount() - 1 == m_lastText.size() && m_textView->text() == m_lastText;
    }
    return m_painting;
}

void OutputTextViewController::updateHighlighting()
{
    // The index shares the replaced results: let them go before the new ones are indexed.
    m_groupRanges = GroupRangeIndex();
    if (!m_textView)
        return;
    m_currentRevision = -1;
    m_groupRanges = GroupRangeIndex(m_matches, m_activeGroup);
    paintVisibleBlocks();
}

void OutputTextViewController::paintVisibleBlocks()
{
    if (!m_textView)
        return;
    // Each block's new formats lay it out again and make the view report a change of its visible blocks. Answered
    // at once, every report would start another pass over all visible blocks inside this one; one more pass after
    // this one covers them all, and it ends, as blocks that already have their formats are left alone.
    if (m_paintingBlocks) {
        m_visibleBlocksChangedWhilePainting = true;
        return;
    }
    m_paintingBlocks = true;
    do {
        m_visibleBlocksChangedWhilePainting = false;
        paintVisibleBlocksOnce();
    } while (m_visibleBlocksChangedWhilePainting);
    m_paintingBlocks = false;
}

void OutputTextViewController::paintVisibleBlocksOnce()
{
    const bool textIsCurrent = this->textIsCurrent();
    if (!textIsCurrent) {
        // Positions between characters would point elsewhere in the edited text.
        m_textView->setMarkers({});
        // Matches of an earlier text sit on the wrong characters; for a frame they may, so that typing does not
        // flicker.
        if (!m_paintingIsStale)
            return;
    }
    QColor colors[] = {m_matchColors[0], m_matchColors[1]};
    QTextCharFormat formats[2];
    for (int parity = 0; parity < 2; ++parity) {
        // Matches of an earlier pattern stay in place, faint, until the current one's are in.
        if (m_paintingIsStale)
            colors[parity].setAlphaF(colors[parity].alphaF() * 0.35f);
        formats[parity].setBackground(colors[parity]);
    }

    const QList<QTextBlock> blocks = m_textView->visibleBlocks();
    if (blocks.isEmpty())
        return;
    const qsizetype textLength = m_lastText.size();
    const QList<GroupRangeIndex::Hit> hits = textIsCurrent
        ? m_groupRanges.rangesIn(blocks.constFirst().position(),
                                 blocks.constLast().position() + blocks.constLast().length())
        : QList<GroupRangeIndex::Hit>();
    // Ranges in their matches come in text order and are passed once; ranges out of order are looked at by every block.
    const bool inTextOrder = !m_groupRanges.isReordered();
    qsizetype firstHit = 0;
    QList<NSTextViewWithPlaceholder::Marker> markers;
    for (const QTextBlock &block : blocks) {
        const qsizetype blockStart = block.position();
        const qsizetype blockEnd = blockStart + block.length();
        while (inTextOrder && firstHit < hits.size() && hits.at(firstHit).range.end() < blockStart)
            ++firstHit;
        // Clipped to the block, in match order.
        QList<GroupRangeIndex::Hit> parts;
        bool overlapping = false;
        for (qsizetype index = firstHit; index < hits.size(); ++index) {
            const GroupRangeIndex::Hit &hit = hits.at(index);
            if (inTextOrder && hit.range.location >= blockEnd)
                break;
            if (!hit.range.fitsIn(textLength))
                continue;
            if (hit.range.length == 0) {
                if (hit.range.location >= blockStart && hit.range.location < blockEnd)
                    markers.append(NSTextViewWithPlaceholder::Marker {hit.range.location, colors[hit.match % 2]});
                continue;
            }
            const qsizetype start = qMax(hit.range.location, blockStart);
            const qsizetype end = qMin(hit.range.end(), blockEnd);
            if (start >= end)
                continue;
            overlapping = overlapping || (!parts.isEmpty() && start - blockStart < parts.constLast().range.end());
            parts.append(GroupRangeIndex::Hit {hit.match, {start - blockStart, end - start}});
        }
        QList<QTextLayout::FormatRange> blockFormats;
        if (!overlapping) {
            for (const GroupRangeIndex::Hit &part : parts)
                blockFormats.append({int(part.range.location), int(part.range.length), formats[part.match % 2]});
        } else {
            // Groups in lookarounds may overlap those of other matches: the later match shows, as if painted last.
            QByteArray painted(block.length(), 0);
            for (const GroupRangeIndex::Hit &part : parts)
                std::fill_n(painted.begin() + part.range.location, part.range.length, char(1 + part.match % 2));
            for (int start = 0; start < painted.size();) {
                int end = start + 1;
                while (end < painted.size() && painted.at(end) == painted.at(start))
                    ++end;
                if (painted.at(start) != 0)
                    blockFormats.append({start, end - start, formats[painted.at(start) - 1]});
                start = end;
            }
        }
        m_textView->withoutChangeReports([&] { m_textView->setBlockFormats(block, blockFormats); });
    }
    m_textView->setMarkers(markers);
}
