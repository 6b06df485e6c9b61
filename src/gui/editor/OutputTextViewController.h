#pragma once

#include "core/evaluation/GroupRangeIndex.h"
#include "core/evaluation/MatchResults.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>

class Appearance;
class NSTextViewWithPlaceholder;

// Paints the active group of every match into the sample-text view, alternating the two match colours of the palette
// it is handed. Only the visible blocks are painted, and again whenever the view shows other blocks. The active group
// is painted wherever it lies, also outside its match; an empty match or group shows as a thin marker. Matches are
// painted only while the view shows the text they were found in; stale ones (of an earlier pattern) are dimmed, and
// the next paint after an edit of the text drops them.
class OutputTextViewController final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OutputTextViewController)

public:
    explicit OutputTextViewController(NSTextViewWithPlaceholder *textView, QObject *parent = nullptr);
    ~OutputTextViewController() override;

    int activeGroup() const { return m_activeGroup; }
    void setActiveGroup(int group);
    const MatchResults &matches() const { return m_matches; }
    // The text the matches were found in.
    const QString &text() const { return m_text; }
    bool isStale() const { return m_isStale; }
    void setMatches(const MatchResults &matches, const QString &text, bool stale = false);
    // Takes the palette's two match colours; the light palette's until then.
    void setAppearance(const Appearance &palette);
    void updateHighlighting();

private:
    bool textIsCurrent();
    void paintVisibleBlocks();
    void paintVisibleBlocksOnce();

    QPointer<NSTextViewWithPlaceholder> m_textView;
    QColor m_matchColors[2];
    MatchResults m_matches;
    QString m_text;
    bool m_isStale = false;
    int m_activeGroup = 0;
    // Painting is applied only while the view still shows the text the matches belong to.
    bool m_painting = false;
    int m_currentRevision = -1;
    // Setting a block's formats makes the view ask for its visible blocks again from within the painting pass.
    bool m_paintingBlocks = false;
    bool m_visibleBlocksChangedWhilePainting = false;
    GroupRangeIndex m_groupRanges;
};
