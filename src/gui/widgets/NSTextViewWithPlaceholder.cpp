#include "gui/widgets/NSTextViewWithPlaceholder.h"

#include "gui/widgets/LineHeightDocumentLayout.h"
#include "gui/widgets/NSTextViewWithPlaceholderUpdateDelegate.h"
#include "gui/widgets/ViewAnimations.h"

#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// A document turns carriage returns and the frame marks U+FDD0 and U+FDD1 into paragraph separators, and holds a
// paragraph separator only as a block break. Each such character is kept as a visible stand-in, or for U+2029 as
// the block break itself, whose format holds the original code unit: the document keeps the length and the
// positions of the exact text, and undo restores the formats with the characters.
constexpr int originalUnitProperty = QTextFormat::UserProperty + 1;

// Breaking a line at a word boundary scans ahead to the end of the word, so a word much longer than a line costs
// time quadratic in its length: a pasted megabyte without spaces (minified JSON, base64, a long pattern) froze the
// window for minutes. Texts holding such a word wrap anywhere, which costs linear time.
constexpr qsizetype longWordLength = 1000;

bool holdsLongWord(QStringView text)
{
    qsizetype run = 0;
    for (const QChar unit : text) {
        run = unit.isSpace() ? 0 : run + 1;
        if (run > longWordLength)
            return true;
    }
    return false;
}

bool needsGlyphStandIn(char16_t unit)
{
    return unit == u'\r' || unit == 0xfdd0 || unit == 0xfdd1;
}

char16_t standInFor(char16_t unit)
{
    switch (unit) {
    case u'\r':
        // The return symbol: the symbol for carriage return (U+240D) is missing from common fonts such as DejaVu.
        return 0x21b5;
    case QChar::ParagraphSeparator:
        return QChar::ParagraphSeparator;
    default:
        return QChar::ReplacementCharacter;
    }
}

// Reads on light and dark backgrounds alike, and apart from the text around it.
QColor standInColor()
{
    return QColor(0x80, 0x80, 0x80);
}

// The original unit a format stands for, or 0. Typed text inherits the format of its neighbour, so a character
// counts as a stand-in only when it is the stand-in of that unit.
class StandInFormats final
{
public:
    explicit StandInFormats(const QTextDocument *document)
        : m_document(document)
    {
    }

    char16_t originalUnit(int formatIndex)
    {
        const auto known = m_originals.constFind(formatIndex);
        if (known != m_originals.cend())
            return *known;
        const QTextFormat format = m_document->allFormats().value(formatIndex);
        const char16_t unit = char16_t(format.intProperty(originalUnitProperty));
        m_originals.insert(formatIndex, unit);
        return unit;
    }

private:
    const QTextDocument *m_document;
    QHash<int, char16_t> m_originals;
};

// The format of the fragment at each position asked for, positions rising within a block: a text with lone
// carriage returns is one block of many fragments, which must be walked once, not once per stand-in.
class FragmentCursor final
{
public:
    void enterBlock(const QTextBlock &block)
    {
        m_fragment = block.begin();
        m_fragmentEnd = block.position();
    }

    int charFormatIndexAt(qsizetype position)
    {
        while (!m_fragment.atEnd()) {
            const QTextFragment fragment = m_fragment.fragment();
            if (position < m_fragmentEnd + fragment.length())
                return fragment.charFormatIndex();
            m_fragmentEnd += fragment.length();
            ++m_fragment;
        }
        return -1;
    }

private:
    QTextBlock::iterator m_fragment;
    qsizetype m_fragmentEnd = 0;
};

// Looks up formats only where the raw text holds a block break or a stand-in's glyph: walking every fragment of a
// text of megabytes would cost more than the raw text itself, on every keystroke.
QString exactText(const QTextDocument *document, bool mayHoldStandIns, bool mayHoldParagraphSeparators)
{
    QString text = document->toRawText();
    if (!mayHoldStandIns && !mayHoldParagraphSeparators) {
        text.replace(QChar::ParagraphSeparator, u'\n');
        return text;
    }
    StandInFormats formats(document);
    char16_t *units = reinterpret_cast<char16_t *>(text.data());
    QTextBlock block = document->begin();
    FragmentCursor fragments;
    fragments.enterBlock(block);
    for (qsizetype position = 0; position < text.size(); ++position) {
        const char16_t unit = units[position];
        if (unit == QChar::ParagraphSeparator) {
            // A block's character format is the format of the break that opens it.
            block = block.next();
            fragments.enterBlock(block);
            if (!mayHoldParagraphSeparators
                || formats.originalUnit(block.charFormatIndex()) != QChar::ParagraphSeparator)
                units[position] = u'\n';
        } else if (mayHoldStandIns && (unit == standInFor(u'\r') || unit == QChar::ReplacementCharacter)) {
            const char16_t original = formats.originalUnit(fragments.charFormatIndexAt(position));
            if (original != 0 && standInFor(original) == unit)
                units[position] = original;
        }
    }
    return text;
}

// Grey over the stand-ins of a block, positioned from the block's start.
QList<QTextLayout::FormatRange> standInFormatRanges(const QTextBlock &block, StandInFormats &formats)
{
    QList<QTextLayout::FormatRange> ranges;
    QTextCharFormat grey;
    grey.setForeground(standInColor());
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const char16_t original = formats.originalUnit(fragment.charFormatIndex());
        if (original == 0 || original == QChar::ParagraphSeparator)
            continue;
        const QString fragmentText = fragment.text();
        const int offset = fragment.position() - block.position();
        for (int index = 0; index < fragmentText.size(); ++index) {
            if (fragmentText.at(index) != standInFor(original))
                continue;
            if (!ranges.isEmpty() && ranges.last().start + ranges.last().length == offset + index)
                ++ranges.last().length;
            else
                ranges.append({offset + index, 1, grey});
        }
    }
    return ranges;
}

} // namespace

NSTextViewWithPlaceholder::NSTextViewWithPlaceholder(QWidget *parent)
    : QPlainTextEdit(parent)
{
    // A document of its own before anything connects to it: the plain layout knows no line height.
    auto *textDocument = new QTextDocument(this);
    textDocument->setDocumentLayout(new LineHeightDocumentLayout(textDocument));
    setDocument(textDocument);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setFrameShape(QFrame::NoFrame);
    setTabChangesFocus(false);
    viewport()->setAutoFillBackground(false);
    setBackgroundVisible(false);
    // Colours live on the block layouts, never in the document, so every change of the document is an edit.
    connect(document(), &QTextDocument::contentsChange, this, &NSTextViewWithPlaceholder::documentContentsChanged);
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect &rect, int dy) {
        // The caret's blinking asks for its own small rectangle only.
        if (dy != 0 || rect.contains(viewport()->rect()))
            Q_EMIT visibleBlocksChanged();
    });
}

NSTextViewWithPlaceholder::~NSTextViewWithPlaceholder() = default;

void NSTextViewWithPlaceholder::setPlaceholderLabel(QLabel *label)
{
    m_placeholderLabel = label;
    if (!label)
        return;
    label->setParent(this);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setWordWrap(true);
    layoutPlaceholder();
    updatePlaceholder(false);
}

void NSTextViewWithPlaceholder::setPlaceholderOffset(qreal offset)
{
    m_placeholderOffset = offset;
    layoutPlaceholder();
}

QString NSTextViewWithPlaceholder::text() const
{
    if (!m_textIsCurrent) {
        m_text = exactText(document(), m_mayHoldStandIns, m_mayHoldParagraphSeparators);
        m_textIsCurrent = true;
    }
    return m_text;
}

void NSTextViewWithPlaceholder::setText(const QString &text)
{
    withoutChangeReports([&] {
        const bool anywhere = holdsLongWord(text);
        // Laying out the old text's long words at word boundaries would cost what wrapping anywhere spares.
        if (!anywhere && wordWrapMode() == QTextOption::WrapAnywhere)
            setPlainText(QString());
        setWrapsAnywhere(anywhere);
        m_mayHoldParagraphSeparators = text.contains(QChar::ParagraphSeparator);
        m_mayHoldStandIns = std::ranges::any_of(text, [](QChar unit) { return needsGlyphStandIn(unit.unicode()); });
        if (!m_mayHoldStandIns && !m_mayHoldParagraphSeparators) {
            setPlainText(text);
            return;
        }
        setPlainText(QString());
        QTextDocument *textDocument = document();
        const bool undoRedoEnabled = textDocument->isUndoRedoEnabled();
        textDocument->setUndoRedoEnabled(false);
        QTextCursor cursor(textDocument);
        insertExactText(cursor, text);
        textDocument->setUndoRedoEnabled(undoRedoEnabled);
        // Where the platform's assignment leaves it.
        moveCursor(QTextCursor::Start);
    });
    updatePlaceholder(true);
    tellDelegate();
}

void NSTextViewWithPlaceholder::insertExactText(const QString &text)
{
    QTextCursor cursor = textCursor();
    insertExactText(cursor, text);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void NSTextViewWithPlaceholder::insertExactText(QTextCursor &cursor, QStringView text)
{
    QTextCharFormat plain = cursor.charFormat();
    plain.clearProperty(originalUnitProperty);
    const auto standIn = [&plain](char16_t unit) {
        QTextCharFormat format = plain;
        format.setProperty(originalUnitProperty, int(unit));
        return format;
    };
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    qsizetype runStart = 0;
    const auto insertRunUpTo = [&](qsizetype end) {
        if (end > runStart)
            cursor.insertText(text.sliced(runStart, end - runStart).toString(), plain);
        runStart = end + 1;
    };
    for (qsizetype index = 0; index < text.size(); ++index) {
        const char16_t unit = text[index].unicode();
        if (unit == u'\n') {
            insertRunUpTo(index);
            cursor.insertBlock(cursor.blockFormat(), plain);
        } else if (unit == QChar::ParagraphSeparator) {
            insertRunUpTo(index);
            m_mayHoldParagraphSeparators = true;
            cursor.insertBlock(cursor.blockFormat(), standIn(unit));
        } else if (needsGlyphStandIn(unit)) {
            insertRunUpTo(index);
            m_mayHoldStandIns = true;
            cursor.insertText(QString(QChar(standInFor(unit))), standIn(unit));
        }
    }
    insertRunUpTo(text.size());
    cursor.endEditBlock();
}

void NSTextViewWithPlaceholder::setEditable(bool editable)
{
    setReadOnly(!editable);
    updatePlaceholder(true);
}

void NSTextViewWithPlaceholder::setFirstResponder(bool firstResponder)
{
    m_isFirstResponder = firstResponder;
    updatePlaceholder(true);
}

bool NSTextViewWithPlaceholder::shouldPlaceholerBeHidden() const
{
    if (!document()->isEmpty())
        return true;
    return !isEditable() || m_isFirstResponder;
}

void NSTextViewWithPlaceholder::updatePlaceholder(bool animated)
{
    if (!m_placeholderLabel)
        return;
    ViewAnimations::setHidden(m_placeholderLabel, shouldPlaceholerBeHidden(),
                              animated ? ViewAnimations::hideAnimationMilliseconds : 0);
}

void NSTextViewWithPlaceholder::tellDelegate()
{
    if (m_updateDelegate)
        m_updateDelegate->textViewWithPlaceholderDidUpdateText(this, text());
}

void NSTextViewWithPlaceholder::didChangeText()
{
    updatePlaceholder(true);
    tellDelegate();
}

void NSTextViewWithPlaceholder::documentContentsChanged(int position, int charsRemoved, int charsAdded)
{
    // The document reports every change here before its layout or anyone else can ask for the text.
    m_textIsCurrent = false;
    if (m_suppressChangeReports)
        return;
    if (charsRemoved == 0 && charsAdded == 0)
        return;
    if (charsAdded > 0 && wordWrapMode() != QTextOption::WrapAnywhere) {
        // The words the insertion may have joined or made, with enough on each side to tell their length.
        QTextCursor around(document());
        around.setPosition(std::max(0, position - int(longWordLength)));
        around.setPosition(std::min(document()->characterCount() - 1, position + charsAdded + int(longWordLength)),
                           QTextCursor::KeepAnchor);
        if (holdsLongWord(around.selectedText()))
            setWrapsAnywhere(true);
    }
    didChangeText();
}

void NSTextViewWithPlaceholder::setWrapsAnywhere(bool anywhere)
{
    setWordWrapMode(anywhere ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere);
}

void NSTextViewWithPlaceholder::focusInEvent(QFocusEvent *event)
{
    m_isFirstResponder = true;
    updatePlaceholder(true);
    QPlainTextEdit::focusInEvent(event);
}

void NSTextViewWithPlaceholder::focusOutEvent(QFocusEvent *event)
{
    m_isFirstResponder = false;
    updatePlaceholder(true);
    QPlainTextEdit::focusOutEvent(event);
}

void NSTextViewWithPlaceholder::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    layoutPlaceholder();
    Q_EMIT visibleBlocksChanged();
}

QList<QTextBlock> NSTextViewWithPlaceholder::visibleBlocks() const
{
    QList<QTextBlock> blocks;
    const qreal bottom = viewport()->height();
    const QPointF offset = contentOffset();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF geometry = blockBoundingGeometry(block).translated(offset);
        if (geometry.top() > bottom)
            break;
        if (block.isVisible())
            blocks.append(block);
    }
    return blocks;
}

void NSTextViewWithPlaceholder::setBlockFormats(const QTextBlock &block, QList<QTextLayout::FormatRange> formats)
{
    QTextLayout *layout = block.layout();
    if (!layout)
        return;
    if (m_mayHoldStandIns) {
        StandInFormats standIns(block.document());
        // Last, so that the grey wins over a token's colour.
        formats.append(standInFormatRanges(block, standIns));
    }
    if (layout->formats() == formats)
        return;
    layout->setFormats(formats);
    // Lays the block out again with the new formats; the document itself does not change.
    const_cast<QTextDocument *>(block.document())->markContentsDirty(block.position(), block.length());
}

void NSTextViewWithPlaceholder::setMarkers(const QList<Marker> &markers)
{
    if (markers == m_markers)
        return;
    m_markers = markers;
    viewport()->update();
}

void NSTextViewWithPlaceholder::paintEvent(QPaintEvent *event)
{
    QPlainTextEdit::paintEvent(event);
    // The view draws the caret in the text's colour; a caret of another colour goes over it, while the blinking
    // shows it.
    if (m_insertionPointColor && getPaintContext().cursorPosition >= 0 && !overwriteMode()) {
        QPainter painter(viewport());
        painter.fillRect(cursorRect(), *m_insertionPointColor);
    }
    if (m_markers.isEmpty())
        return;
    QPainter painter(viewport());
    // A caret's width at the normal size, growing with the font so that it stays as visible at the doubled one.
    const qreal width = qMax(2.0, fontMetrics().height() / 8.0);
    const qsizetype end = document()->characterCount() - 1;
    // Placed as the view draws the block's layout; markers come mostly a block at a time.
    QTextBlock block;
    QPointF blockOrigin;
    for (const Marker &marker : m_markers) {
        if (marker.position < 0 || marker.position > end)
            continue;
        if (!block.isValid() || !block.contains(int(marker.position))) {
            block = document()->findBlock(int(marker.position));
            blockOrigin = blockBoundingGeometry(block).translated(contentOffset()).topLeft();
        }
        const QTextLayout *layout = block.layout();
        if (!block.isVisible() || !layout)
            continue;
        const int inBlock = int(marker.position - block.position());
        const QTextLine line = layout->lineForTextPosition(inBlock);
        if (!line.isValid())
            continue;
        const QPointF caret = blockOrigin + layout->position() + QPointF(line.cursorToX(inBlock), line.y());
        const QRectF bar(caret.x() - width / 2, caret.y(), width, line.height());
        if (event->rect().intersects(bar.toAlignedRect()))
            painter.fillRect(bar, marker.color);
    }
}

void NSTextViewWithPlaceholder::layoutPlaceholder()
{
    if (!m_placeholderLabel)
        return;
    // Put the hint where the first character would be.
    const QRect area = viewport()->geometry();
    const int margin = int(document()->documentMargin());
    const int left = area.left() + margin + 1;
    const int top = area.top() + margin + int(m_placeholderOffset);
    const int width = qMax(0, area.width() - 2 * margin - 1);
    m_placeholderLabel->setGeometry(left, top, width,
                                    m_placeholderLabel->heightForWidth(width) > 0
                                        ? m_placeholderLabel->heightForWidth(width)
                                        : m_placeholderLabel->sizeHint().height());
}

void NSTextViewWithPlaceholder::keyPressEvent(QKeyEvent *event)
{
    // Shift+Return would insert a line separator, which looks like a line break but is another character to the
    // engine: the user means a line break. Return after a kept paragraph separator would inherit its format and
    // make one more.
    if ((event == QKeySequence::InsertParagraphSeparator || event == QKeySequence::InsertLineSeparator)
        && !isReadOnly()) {
        insertExactText(u"\n"_s);
        return;
    }
    // Typed text takes the format of the character before the caret; next to a stand-in it would carry its
    // original unit along.
    if ((m_mayHoldStandIns || m_mayHoldParagraphSeparators) && !textCursor().hasSelection()
        && textCursor().charFormat().hasProperty(originalUnitProperty)) {
        QTextCharFormat plain = textCursor().charFormat();
        plain.clearProperty(originalUnitProperty);
        setCurrentCharFormat(plain);
    }
    QPlainTextEdit::keyPressEvent(event);
}

bool NSTextViewWithPlaceholder::canInsertFromMimeData(const QMimeData *source) const
{
    return source && source->hasText();
}

void NSTextViewWithPlaceholder::insertFromMimeData(const QMimeData *source)
{
    if (!source || !source->hasText())
        return;
    insertExactText(source->text());
}

QMimeData *NSTextViewWithPlaceholder::createMimeDataFromSelection() const
{
    auto *data = new QMimeData;
    const QTextCursor selection = textCursor();
    data->setText(text().sliced(selection.selectionStart(), selection.selectionEnd() - selection.selectionStart()));
    return data;
}

void NSTextViewWithPlaceholder::setSelectedTextBackgroundColor(std::optional<QColor> color)
{
    m_selectedTextBackgroundColor = color;
    applySelectionPalette();
}

void NSTextViewWithPlaceholder::setSelectedTextForegroundColor(std::optional<QColor> color)
{
    m_selectedTextForegroundColor = color;
    applySelectionPalette();
}

void NSTextViewWithPlaceholder::applySelectionPalette()
{
    QPalette colors = palette();
    const QPalette standard = style()->standardPalette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        colors.setColor(group, QPalette::Highlight,
                        m_selectedTextBackgroundColor.value_or(standard.color(group, QPalette::Highlight)));
        colors.setColor(group, QPalette::HighlightedText,
                        m_selectedTextForegroundColor.value_or(standard.color(group, QPalette::HighlightedText)));
    }
    setPalette(colors);
}

void NSTextViewWithPlaceholder::setInsertionPointColor(std::optional<QColor> color)
{
    if (color == m_insertionPointColor)
        return;
    m_insertionPointColor = color;
    viewport()->update();
}

void NSTextViewWithPlaceholder::setLineMetrics(qreal lineHeight, qreal lineSpacing)
{
    // Whole pixels, so that every line's glyphs sit on the pixel grid alike.
    const qreal pixelsPerPoint = logicalDpiY() / 72.0;
    const int height = qRound(lineHeight * pixelsPerPoint);
    const int spacing = qRound(lineSpacing * pixelsPerPoint);
    auto *layout = static_cast<LineHeightDocumentLayout *>(document()->documentLayout());
    layout->setLineMetrics(height, spacing);
    // However the panels share the height, one whole line stays in view.
    const int margins = 2 * int(document()->documentMargin()) + contentsMargins().top() + contentsMargins().bottom();
    setMinimumHeight(height + spacing + margins);
}

void NSTextViewWithPlaceholder::setTextColor(const QColor &color)
{
    QPalette colors = palette();
    colors.setColor(QPalette::Text, color);
    setPalette(colors);
}
