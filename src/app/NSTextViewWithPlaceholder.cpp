#include "app/NSTextViewWithPlaceholder.h"

#include "app/NSTextViewWithPlaceholderUpdateDelegate.h"
#include "app/ViewAnimations.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace {

// The document holds line breaks as paragraph separators and everything else as the user gave it. Its plain text
// would also turn no-break spaces into spaces and line separators into line breaks: the sample or pattern would
// then differ from what was typed or pasted, in the matches and in the saved library.
QString withLineBreaks(QString rawText)
{
    rawText.replace(QChar::ParagraphSeparator, u'\n');
    return rawText;
}

} // namespace

NSTextViewWithPlaceholder::NSTextViewWithPlaceholder(QWidget *parent)
    : QPlainTextEdit(parent)
{
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
        m_text = withLineBreaks(document()->toRawText());
        m_textIsCurrent = true;
    }
    return m_text;
}

void NSTextViewWithPlaceholder::setText(const QString &text)
{
    withoutChangeReports([&] { setPlainText(text); });
    updatePlaceholder(true);
    tellDelegate();
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

void NSTextViewWithPlaceholder::documentContentsChanged(int, int charsRemoved, int charsAdded)
{
    // The document reports every change here before its layout or anyone else can ask for the text.
    m_textIsCurrent = false;
    if (m_suppressChangeReports)
        return;
    if (charsRemoved == 0 && charsAdded == 0)
        return;
    didChangeText();
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

void NSTextViewWithPlaceholder::setBlockFormats(const QTextBlock &block, const QList<QTextLayout::FormatRange> &formats)
{
    QTextLayout *layout = block.layout();
    if (!layout || layout->formats() == formats)
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
    m_placeholderLabel->setGeometry(left, top, width, m_placeholderLabel->heightForWidth(width) > 0
                                                          ? m_placeholderLabel->heightForWidth(width)
                                                          : m_placeholderLabel->sizeHint().height());
}

void NSTextViewWithPlaceholder::keyPressEvent(QKeyEvent *event)
{
    // Shift+Return would insert a line separator, which looks like a line break but is another character to the
    // engine: the user means a line break.
    if (event == QKeySequence::InsertLineSeparator && !isReadOnly()) {
        textCursor().insertBlock();
        ensureCursorVisible();
        return;
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
    insertPlainText(source->text());
}

QMimeData *NSTextViewWithPlaceholder::createMimeDataFromSelection() const
{
    auto *data = new QMimeData;
    data->setText(withLineBreaks(textCursor().selectedText()));
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

void NSTextViewWithPlaceholder::setTextColor(const QColor &color)
{
    QPalette colors = palette();
    colors.setColor(QPalette::Text, color);
    setPalette(colors);
}
