#pragma once

#include <QColor>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextBlock>
#include <QTextLayout>

#include <optional>

class NSTextViewWithPlaceholderUpdateDelegate;
class QPainter;

// A plain-text editor that shows a placeholder label while it is empty, editable and unfocused, reports every change
// of its text (user edits and assignments alike) to its update delegate, and pastes plain text only.
class NSTextViewWithPlaceholder : public QPlainTextEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NSTextViewWithPlaceholder)

public:
    explicit NSTextViewWithPlaceholder(QWidget *parent = nullptr);
    ~NSTextViewWithPlaceholder() override;

    NSTextViewWithPlaceholderUpdateDelegate *updateDelegate() const { return m_updateDelegate; }
    void setUpdateDelegate(NSTextViewWithPlaceholderUpdateDelegate *delegate) { m_updateDelegate = delegate; }

    QLabel *placeholderLabel() const { return m_placeholderLabel; }
    // The label is laid over the text area at the placeholder offset; its state is taken at once, unanimated.
    void setPlaceholderLabel(QLabel *label);
    qreal placeholderOffset() const { return m_placeholderOffset; }
    void setPlaceholderOffset(qreal offset);

    // The exact text, unit for unit at the positions of the document. Kept in step with every edit and shared: every
    // edit is read by the delegate, the evaluation and the save, and a sample text can be megabytes.
    QString text() const;
    // Replaces the whole text (a new undo history), then updates the placeholder and tells the delegate, even when
    // the text is unchanged. A text of megabytes goes into the document a piece at a time from the event loop, the
    // view read-only meanwhile; text() and the delegate have all of it at once.
    virtual void setText(const QString &text);
    // Pieces of the assigned text are still to go into the document.
    bool isLoading() const { return !m_loadingText.isNull(); }
    // Replaces the selection with the text as one undoable edit, every character kept as it is. A text of megabytes
    // goes in by pieces, as for setText(). Does nothing while a text is loading.
    void insertExactText(const QString &text);

    bool isEditable() const { return isLoading() ? m_editableAfterLoading : !isReadOnly(); }
    void setEditable(bool editable);
    bool isFirstResponder() const { return m_isFirstResponder; }
    void setFirstResponder(bool firstResponder);
    bool shouldPlaceholerBeHidden() const;

    std::optional<QColor> selectedTextBackgroundColor() const { return m_selectedTextBackgroundColor; }
    void setSelectedTextBackgroundColor(std::optional<QColor> color);
    std::optional<QColor> selectedTextForegroundColor() const { return m_selectedTextForegroundColor; }
    void setSelectedTextForegroundColor(std::optional<QColor> color);
    void setTextColor(const QColor &color);
    // The caret's colour; none draws it in the text colour.
    std::optional<QColor> insertionPointColor() const { return m_insertionPointColor; }
    void setInsertionPointColor(std::optional<QColor> color);
    // Every line takes the line height, the glyphs at its bottom, and the spacing below it; in points, like the font.
    // The view's minimum height becomes that of one line.
    void setLineMetrics(qreal lineHeight, qreal lineSpacing);

    // The blocks that intersect the viewport, in order.
    QList<QTextBlock> visibleBlocks() const;
    // Replaces a block's extra formats (colours laid over its text, not stored in the document) when they differ.
    // The glyphs that stand in for characters the document cannot hold are greyed on top of them.
    void setBlockFormats(const QTextBlock &block, QList<QTextLayout::FormatRange> formats);

    // A thin bar between two characters, for a painted range that covers none (an empty match or group), which no
    // format can show.
    struct Marker
    {
        qsizetype position = 0;
        QColor color;
        friend bool operator==(const Marker &, const Marker &) = default;
    };
    const QList<Marker> &markers() const { return m_markers; }
    // Replaces the bars drawn over the text; positions count UTF-16 code units of the text.
    void setMarkers(const QList<Marker> &markers);

    // Runs a change of the document that is not an edit of the text (formats), without reporting it.
    template<typename Function> void withoutChangeReports(Function &&function)
    {
        const bool wasSuppressed = m_suppressChangeReports;
        m_suppressChangeReports = true;
        function();
        m_suppressChangeReports = wasSuppressed;
    }

Q_SIGNALS:
    // The viewport shows other blocks, or the same blocks laid out anew: extra formats may need setting.
    void visibleBlocksChanged();

protected:
    // After every edit of the text by the user or the input path: placeholder, then the delegate.
    virtual void didChangeText();
    void updatePlaceholder(bool animated);
    void tellDelegate();

    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;

private:
    void documentContentsChanged(int position, int charsRemoved, int charsAdded);
    // Keeps the text in step with an edit of the document, reading only the units the edit brought: a keystroke in
    // megabytes must not read them all.
    void followChange(int position, int charsRemoved, int charsAdded);
    void setWrapsAnywhere(bool anywhere);
    // Text coming in that holds a long word makes the view wrap anywhere; it never goes back by itself.
    void wrapAnywhereForLongWords(QStringView text);
    void insertExactText(QTextCursor &cursor, QStringView text);
    void holdLongLines(QTextCursor &cursor, int from, int to);
    void holdPendingLongLines();
    // Puts the rest of the text, from `loaded` on, into the document at the position, a piece per turn of the event
    // loop; an undoable load is one edit with the piece already in.
    void startLoading(const QString &text, qsizetype loaded, int position, bool undoable);
    void loadNextPiece(quint64 loading);
    void stopLoading();
    void resumeUndonePaste();
    void paintHeldUnits(QPainter &painter, const QRect &area);
    void layoutPlaceholder();
    void applySelectionPalette();

    NSTextViewWithPlaceholderUpdateDelegate *m_updateDelegate = nullptr;
    QPointer<QLabel> m_placeholderLabel;
    qreal m_placeholderOffset = 0;
    bool m_isFirstResponder = false;
    bool m_suppressChangeReports = false;
    mutable QString m_text;
    // The buffer of an earlier text, for the next edit to write into once no one else holds it.
    QString m_spareText;
    mutable bool m_textIsCurrent = false;
    // Until the next assignment of a text without them: undo can bring them back after they were deleted. Reading
    // the text looks up formats only for what the document may hold.
    bool m_mayHoldStandIns = false;
    // A block break may hold a unit other than a line feed: a paragraph separator, or a unit of a long line.
    bool m_mayHoldHeldBreaks = false;
    // Edits made a block longer than it may be; the document positions to look at once the edit is over.
    std::optional<std::pair<int, int>> m_pendingLongLines;
    // The assigned text while it is being put into the document, how much of it is in, and which assignment it is.
    QString m_loadingText;
    qsizetype m_loaded = 0;
    int m_loadStart = 0;
    qsizetype m_pieceLength = 0;
    bool m_loadingIsUndoable = false;
    quint64 m_loadings = 0;
    // A paste undone while pieces were still to come: its redo brings back the pieces that were in, then the rest
    // goes in as part of the same edit.
    struct UndonePaste
    {
        QString text;
        qsizetype loaded = 0;
        int start = 0;
    };
    std::optional<UndonePaste> m_undonePaste;
    bool m_editableAfterLoading = true;
    std::optional<QColor> m_selectedTextBackgroundColor;
    std::optional<QColor> m_selectedTextForegroundColor;
    std::optional<QColor> m_insertionPointColor;
    QList<Marker> m_markers;
};
