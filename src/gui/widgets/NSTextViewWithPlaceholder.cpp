#include "gui/widgets/NSTextViewWithPlaceholder.h"

#include "gui/widgets/LineHeightDocumentLayout.h"
#include "gui/widgets/NSTextViewWithPlaceholderUpdateDelegate.h"
#include "gui/widgets/ViewAnimations.h"

#include <QElapsedTimer>
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

// A block is laid out whole whenever it changes, and Qt's layout of one costs time at least linear in its length: a
// line of megabytes took seconds per keystroke however it wrapped. A longer line is held in several blocks; the unit
// at each split becomes the block break, which keeps the unit in its format as for a paragraph separator, and the
// view draws it where the line goes on.
constexpr qsizetype longestBlock = 4096;

// Putting text into a document costs some 60 ms per megabyte here, more while other work runs, and the text of a
// large sample is tens of megabytes: it goes in by pieces of at most a quarter megabyte, one per turn of the event
// loop. Each later piece is sized from how long the one before took, so that a piece takes about pieceNanoseconds
// also on a busy machine or in a document of tens of megabytes.
constexpr qsizetype loadedAtOnce = qsizetype(1) << 18;
constexpr qint64 pieceNanoseconds = 12'000'000;
constexpr qsizetype shortestPiece = qsizetype(1) << 14;
constexpr qsizetype longestPiece = loadedAtOnce;

// Room for typing ahead in the buffer the text is kept in.
qsizetype spareRoom(qsizetype length)
{
    return std::max<qsizetype>(4096, length / 64);
}

// Where the piece from `from` ends: never between the halves of a surrogate pair.
qsizetype pieceEnd(QStringView text, qsizetype from, qsizetype length = loadedAtOnce)
{
    qsizetype end = std::min(text.size(), from + length);
    if (end < text.size() && text[end - 1].isHighSurrogate())
        ++end;
    return end;
}

bool holdsLongLine(QStringView text)
{
    qsizetype run = 0;
    for (const QChar unit : text) {
        run = unit == u'\n' || unit == QChar::ParagraphSeparator ? 0 : run + 1;
        if (run >= longestBlock)
            return true;
    }
    return false;
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

// A unit that can end a block and be drawn there alone: printable, no half of a surrogate pair, no mark or joiner,
// none a following mark or joiner clings to, and none that may be the glyph of a stand-in.
bool canBeHeld(QStringView line, qsizetype index)
{
    const QChar unit = line[index];
    if (!unit.isPrint() || unit.isMark() || unit.unicode() == standInFor(u'\r') || unit == QChar::ReplacementCharacter)
        return false;
    if (index + 1 == line.size())
        return true;
    const QChar next = line[index + 1];
    return !next.isMark() && !next.isSurrogate() && next.category() != QChar::Other_Format;
}

// Where a block's text is split so that no block is longer than longestBlock: at a space near each block's end where
// there is one, so that the line looks wrapped at a word, else at the last unit that can be held.
QList<qsizetype> heldUnitPositions(QStringView line)
{
    QList<qsizetype> positions;
    qsizetype start = 0;
    while (line.size() - start >= longestBlock) {
        const qsizetype last = start + longestBlock - 1;
        qsizetype chosen = -1;
        for (qsizetype index = last; index > last - longestBlock / 4 && chosen < 0; --index) {
            if (line[index] == u' ' && canBeHeld(line, index))
                chosen = index;
        }
        for (qsizetype index = last; index > start && chosen < 0; --index) {
            if (canBeHeld(line, index))
                chosen = index;
        }
        if (chosen < 0)
            break;
        positions.append(chosen);
        start = chosen + 1;
    }
    return positions;
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

// Turns the block breaks of a raw text into line feeds; a search for them is far quicker than visiting every unit.
void replaceBlockBreaks(QString &text)
{
    const QChar breakUnit = QChar::ParagraphSeparator;
    for (qsizetype position = text.indexOf(breakUnit); position >= 0; position = text.indexOf(breakUnit, position + 1))
        text[position] = u'\n';
}

// The document's units from `from` up to `to`, block breaks as paragraph separators.
QString rawText(const QTextDocument *document, int from, int to)
{
    if (from == 0 && to == document->characterCount() - 1)
        return document->toRawText();
    QTextCursor range(const_cast<QTextDocument *>(document));
    range.setPosition(from);
    range.setPosition(to, QTextCursor::KeepAnchor);
    return range.selectedText();
}

// The exact text from `from` up to `to`. Looks up formats only where the raw text holds a block break or a stand-in's
// glyph: walking every fragment of a text of megabytes would cost more than the raw text itself.
QString exactText(const QTextDocument *document, int from, int to, bool mayHoldStandIns, bool mayHoldHeldBreaks)
{
    QString text = rawText(document, from, to);
    if (!mayHoldStandIns && !mayHoldHeldBreaks) {
        replaceBlockBreaks(text);
        return text;
    }
    StandInFormats formats(document);
    char16_t *units = reinterpret_cast<char16_t *>(text.data());
    QTextBlock block = document->findBlock(from);
    FragmentCursor fragments;
    fragments.enterBlock(block);
    for (qsizetype index = 0; index < text.size(); ++index) {
        const char16_t unit = units[index];
        if (unit == QChar::ParagraphSeparator) {
            // A block's character format is the format of the break that opens it.
            block = block.next();
            fragments.enterBlock(block);
            const char16_t held = mayHoldHeldBreaks ? formats.originalUnit(block.charFormatIndex()) : 0;
            units[index] = held != 0 && !needsGlyphStandIn(held) ? held : u'\n';
        } else if (mayHoldStandIns && (unit == standInFor(u'\r') || unit == QChar::ReplacementCharacter)) {
            const char16_t original = formats.originalUnit(fragments.charFormatIndexAt(from + index));
            if (needsGlyphStandIn(original) && standInFor(original) == unit)
                units[index] = original;
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
        if (!needsGlyphStandIn(original))
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
    // Any new edit ends the redo history, and with it the undone paste.
    connect(document(), &QTextDocument::undoCommandAdded, this, [this] { m_undonePaste.reset(); });
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
        m_text = exactText(document(), 0, document()->characterCount() - 1, m_mayHoldStandIns, m_mayHoldHeldBreaks);
        m_textIsCurrent = true;
    }
    return m_text;
}

void NSTextViewWithPlaceholder::setText(const QString &text)
{
    m_undonePaste.reset();
    if (isLoading())
        stopLoading();
    const qsizetype first = text.size() > loadedAtOnce ? pieceEnd(text, 0) : text.size();
    const QStringView head = QStringView(text).first(first);
    // Before the first piece goes in, so that whoever reads the text meanwhile reads all of it.
    const bool inPieces = first < text.size();
    if (inPieces) {
        m_text = text;
        m_textIsCurrent = true;
        startLoading(text, first, 0, false);
    }
    withoutChangeReports([&] {
        const bool anywhere = holdsLongWord(head);
        // Laying out the old text's long words at word boundaries would cost what wrapping anywhere spares.
        if (!anywhere && wordWrapMode() == QTextOption::WrapAnywhere)
            setPlainText(QString());
        setWrapsAnywhere(anywhere);
        m_mayHoldHeldBreaks = head.contains(QChar::ParagraphSeparator);
        m_mayHoldStandIns = std::ranges::any_of(head, [](QChar unit) { return needsGlyphStandIn(unit.unicode()); });
        m_pendingLongLines.reset();
        if (!m_mayHoldStandIns && !m_mayHoldHeldBreaks && !holdsLongLine(head)) {
            setPlainText(head.toString());
            return;
        }
        setPlainText(QString());
        QTextDocument *textDocument = document();
        const bool undoRedoEnabled = textDocument->isUndoRedoEnabled();
        textDocument->setUndoRedoEnabled(false);
        QTextCursor cursor(textDocument);
        insertExactText(cursor, head);
        textDocument->setUndoRedoEnabled(undoRedoEnabled);
        // Where the platform's assignment leaves it.
        moveCursor(QTextCursor::Start);
    });
    if (!inPieces) {
        m_text = text;
        m_textIsCurrent = true;
        m_spareText = QString();
    }
    updatePlaceholder(true);
    tellDelegate();
}

void NSTextViewWithPlaceholder::startLoading(const QString &text, qsizetype loaded, int position, bool undoable)
{
    // The first edit will want a buffer of the whole text's size; its pages are touched piece by piece meanwhile.
    m_spareText = QString();
    m_spareText.reserve(m_text.size() + spareRoom(m_text.size()));
    m_spareText.resize(m_text.size());
    m_loadingText = text;
    m_loaded = loaded;
    m_loadStart = position;
    m_loadingIsUndoable = undoable;
    m_pieceLength = loadedAtOnce;
    m_editableAfterLoading = !isReadOnly();
    // Typing into a text that is still growing would edit a document that is not yet the text.
    setReadOnly(true);
    const quint64 loading = ++m_loadings;
    QMetaObject::invokeMethod(
        this, [this, loading] { loadNextPiece(loading); }, Qt::QueuedConnection);
}

void NSTextViewWithPlaceholder::stopLoading()
{
    m_loadingText = QString();
    setReadOnly(!m_editableAfterLoading);
}

void NSTextViewWithPlaceholder::resumeUndonePaste()
{
    if (!m_undonePaste || isLoading())
        return;
    const QString current = text();
    const UndonePaste &paste = *m_undonePaste;
    // Only the redo of the paste puts back the very pieces that were in, where they were.
    if (paste.start + paste.loaded > current.size()
        || QStringView(current).sliced(paste.start, paste.loaded) != QStringView(paste.text).first(paste.loaded))
        return;
    const UndonePaste resumed = *std::exchange(m_undonePaste, std::nullopt);
    QString whole = current;
    whole.insert(resumed.start + resumed.loaded, QStringView(resumed.text).sliced(resumed.loaded));
    m_text = whole;
    m_textIsCurrent = true;
    startLoading(resumed.text, resumed.loaded, resumed.start, true);
    didChangeText();
}

void NSTextViewWithPlaceholder::loadNextPiece(quint64 loading)
{
    if (!isLoading() || loading != m_loadings)
        return;
    QElapsedTimer timer;
    timer.start();
    const qsizetype end = pieceEnd(m_loadingText, m_loaded, m_pieceLength);
    const QStringView piece = QStringView(m_loadingText).sliced(m_loaded, end - m_loaded);
    withoutChangeReports([&] {
        wrapAnywhereForLongWords(piece);
        QTextDocument *textDocument = document();
        QTextCursor cursor(textDocument);
        cursor.setPosition(m_loadStart + int(m_loaded));
        if (m_loadingIsUndoable) {
            // Undo takes the whole paste back at once.
            cursor.joinPreviousEditBlock();
            insertExactText(cursor, piece);
            cursor.endEditBlock();
        } else {
            const bool undoRedoEnabled = textDocument->isUndoRedoEnabled();
            textDocument->setUndoRedoEnabled(false);
            insertExactText(cursor, piece);
            textDocument->setUndoRedoEnabled(undoRedoEnabled);
        }
    });
    const qsizetype spareEnd = std::min(m_spareText.size(), m_loadStart + end);
    if (m_spareText.isDetached() && m_loadStart + m_loaded < spareEnd)
        std::fill(m_spareText.begin() + m_loadStart + m_loaded, m_spareText.begin() + spareEnd, QChar());
    const qsizetype length = end - m_loaded;
    m_pieceLength = std::clamp(qsizetype(double(length) * double(pieceNanoseconds) / double(timer.nsecsElapsed() + 1)),
                               shortestPiece, longestPiece);
    m_loaded = end;
    if (m_loaded < m_loadingText.size()) {
        QMetaObject::invokeMethod(
            this, [this, loading] { loadNextPiece(loading); }, Qt::QueuedConnection);
        return;
    }
    const int loadEnd = m_loadStart + int(m_loadingText.size());
    const bool pasted = m_loadingIsUndoable;
    stopLoading();
    if (pasted) {
        QTextCursor caret(document());
        caret.setPosition(loadEnd);
        setTextCursor(caret);
        ensureCursorVisible();
    }
    updatePlaceholder(false);
    // Whoever paints the text waits for all of it.
    Q_EMIT visibleBlocksChanged();
}

void NSTextViewWithPlaceholder::insertExactText(const QString &text)
{
    // The document is not yet the text: an edit now would end the loading with part of the text lost.
    if (isLoading())
        return;
    QTextCursor cursor = textCursor();
    if (text.size() > loadedAtOnce) {
        // A pasted text of megabytes goes in as an assigned one does, by pieces; text() and the delegate have all of
        // it at once.
        const int start = cursor.selectionStart();
        QString whole = this->text();
        whole.replace(start, cursor.selectionEnd() - start, text);
        m_text = whole;
        m_textIsCurrent = true;
        const qsizetype first = pieceEnd(text, 0);
        startLoading(text, first, start, true);
        const QStringView head = QStringView(text).first(first);
        withoutChangeReports([&] {
            wrapAnywhereForLongWords(head);
            insertExactText(cursor, head);
        });
        setTextCursor(cursor);
        didChangeText();
        return;
    }
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
    const int start = cursor.position();
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
            m_mayHoldHeldBreaks = true;
            cursor.insertBlock(cursor.blockFormat(), standIn(unit));
        } else if (needsGlyphStandIn(unit)) {
            insertRunUpTo(index);
            m_mayHoldStandIns = true;
            cursor.insertText(QString(QChar(standInFor(unit))), standIn(unit));
        }
    }
    insertRunUpTo(text.size());
    // In the same edit: undo never shows the long line in one block, and a pasted megabyte is never laid out whole.
    const int end = cursor.position();
    holdLongLines(cursor, start, end);
    cursor.setPosition(end);
    cursor.endEditBlock();
}

void NSTextViewWithPlaceholder::holdLongLines(QTextCursor &cursor, int from, int to)
{
    QTextDocument *textDocument = document();
    for (QTextBlock block = textDocument->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        if (block.length() - 1 < longestBlock)
            continue;
        const int blockStart = block.position();
        const QString line = block.text();
        // Each held unit becomes one block break: every position stays where it was.
        for (const qsizetype index : heldUnitPositions(line)) {
            const int position = blockStart + int(index);
            cursor.setPosition(position);
            cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
            QTextCharFormat held = cursor.charFormat();
            held.setProperty(originalUnitProperty, int(line[index].unicode()));
            cursor.insertBlock(cursor.blockFormat(), held);
            m_mayHoldHeldBreaks = true;
        }
        block = textDocument->findBlock(blockStart + int(line.size()));
    }
}

void NSTextViewWithPlaceholder::holdPendingLongLines()
{
    if (!m_pendingLongLines)
        return;
    const int last = document()->characterCount() - 1;
    const int from = std::min(m_pendingLongLines->first, last);
    const int to = std::min(m_pendingLongLines->second, last);
    m_pendingLongLines.reset();
    const QTextCursor caret = textCursor();
    QTextCursor cursor(document());
    // Part of the edit that made the line long, so that undo takes both back as one.
    cursor.joinPreviousEditBlock();
    withoutChangeReports([&] { holdLongLines(cursor, from, to); });
    cursor.endEditBlock();
    // Inserting the breaks moved a caret that stood just before a held unit.
    if (textCursor().anchor() != caret.anchor() || textCursor().position() != caret.position()) {
        QTextCursor restored = textCursor();
        restored.setPosition(caret.anchor());
        restored.setPosition(caret.position(), QTextCursor::KeepAnchor);
        setTextCursor(restored);
    }
}

void NSTextViewWithPlaceholder::setEditable(bool editable)
{
    if (isLoading())
        m_editableAfterLoading = editable;
    else
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
    // The document reports every change here before its layout or anyone else can ask for the text. While the
    // assigned text goes in, the text is the assigned one.
    if (isLoading()) {
        if (m_suppressChangeReports)
            return;
        // Undone, or edited by a program, while pieces were still to come: the document is what counts now.
        if (m_loadingIsUndoable)
            m_undonePaste = UndonePaste {m_loadingText, m_loaded, m_loadStart};
        stopLoading();
        m_textIsCurrent = false;
    } else if (m_undonePaste && position <= m_undonePaste->start
               && position + qsizetype(charsAdded) >= m_undonePaste->start + m_undonePaste->loaded) {
        // Once the edit is over: the redo may not be done with the document yet.
        QMetaObject::invokeMethod(this, &NSTextViewWithPlaceholder::resumeUndonePaste, Qt::QueuedConnection);
    }
    followChange(position, charsRemoved, charsAdded);
    if (m_suppressChangeReports)
        return;
    if (charsRemoved == 0 && charsAdded == 0)
        return;
    if (charsAdded > 0) {
        // Typing makes a block longer one unit at a time; other edits bring their text already held.
        bool longBlock = false;
        for (QTextBlock block = document()->findBlock(position);
             !longBlock && block.isValid() && block.position() <= position + charsAdded; block = block.next())
            longBlock = block.length() - 1 >= longestBlock;
        if (longBlock) {
            if (!m_pendingLongLines)
                QMetaObject::invokeMethod(this, &NSTextViewWithPlaceholder::holdPendingLongLines, Qt::QueuedConnection);
            const std::pair<int, int> range {position, position + charsAdded};
            m_pendingLongLines = m_pendingLongLines ? std::pair {std::min(m_pendingLongLines->first, range.first),
                                                                 std::max(m_pendingLongLines->second, range.second)}
                                                    : range;
        }
    }
    if (charsAdded > 0 && wordWrapMode() != QTextOption::WrapAnywhere) {
        // The words the insertion may have joined or made, with enough on each side to tell their length.
        QTextCursor around(document());
        around.setPosition(std::max(0, position - int(longWordLength)));
        around.setPosition(std::min(document()->characterCount() - 1, position + charsAdded + int(longWordLength)),
                           QTextCursor::KeepAnchor);
        wrapAnywhereForLongWords(around.selectedText());
    }
    didChangeText();
}

void NSTextViewWithPlaceholder::followChange(int position, int charsRemoved, int charsAdded)
{
    if (!m_textIsCurrent)
        return;
    // Changes that reach the end of the document may count its closing block break, which the text does not hold:
    // such a change is not followed, the whole text is read again.
    const qsizetype length = document()->characterCount() - 1;
    if (position < 0 || charsRemoved < 0 || charsAdded < 0 || position + qsizetype(charsRemoved) > m_text.size()
        || position + qsizetype(charsAdded) > length || m_text.size() - charsRemoved + charsAdded != length) {
        m_textIsCurrent = false;
        m_text = QString();
        return;
    }
    const QString added
        = exactText(document(), position, position + charsAdded, m_mayHoldStandIns, m_mayHoldHeldBreaks);
    if (m_text.isDetached()) {
        m_text.replace(position, charsRemoved, added);
        return;
    }
    // Others still hold the text as it was. The new one goes into the buffer they have all let go of since: a fresh
    // buffer of megabytes costs a page fault per 4 KB when first written, tens of ms for a keystroke.
    QString next = std::exchange(m_spareText, QString());
    if (!next.isDetached() || next.capacity() < length) {
        next = QString();
        next.reserve(length + spareRoom(length));
    }
    next.resize(length);
    char16_t *units = reinterpret_cast<char16_t *>(next.data());
    const QStringView before = QStringView(m_text).first(position);
    const QStringView after = QStringView(m_text).sliced(position + charsRemoved);
    std::copy(before.utf16(), before.utf16() + before.size(), units);
    std::copy(added.utf16(), added.utf16() + added.size(), units + position);
    std::copy(after.utf16(), after.utf16() + after.size(), units + position + added.size());
    m_spareText = std::exchange(m_text, std::move(next));
}

void NSTextViewWithPlaceholder::setWrapsAnywhere(bool anywhere)
{
    setWordWrapMode(anywhere ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere);
}

void NSTextViewWithPlaceholder::wrapAnywhereForLongWords(QStringView text)
{
    if (wordWrapMode() != QTextOption::WrapAnywhere && holdsLongWord(text))
        setWrapsAnywhere(true);
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
    // Lays the block out again with the new formats; the document itself does not change. The layout takes n dirty
    // characters for 2n, removed and added again: n reaching past the block's middle would lay out the blocks after
    // it too.
    const int dirty = block.length() >= 2 ? block.length() / 2 : block.length();
    const_cast<QTextDocument *>(block.document())->markContentsDirty(block.position(), dirty);
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
    QPainter painter(viewport());
    if (m_mayHoldHeldBreaks)
        paintHeldUnits(painter, event->rect());
    // The view draws the caret in the text's colour; a caret of another colour goes over it, while the blinking
    // shows it.
    if (m_insertionPointColor && getPaintContext().cursorPosition >= 0 && !overwriteMode())
        painter.fillRect(cursorRect(), *m_insertionPointColor);
    if (m_markers.isEmpty())
        return;
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

// A held unit is no part of any layout: it is drawn after the last line of the block it ends, in the colours that
// the block's formats, or the selection, give its position.
void NSTextViewWithPlaceholder::paintHeldUnits(QPainter &painter, const QRect &area)
{
    StandInFormats formats(document());
    const QTextCursor selection = textCursor();
    const QPointF offset = contentOffset();
    for (const QTextBlock &block : visibleBlocks()) {
        const QTextBlock next = block.next();
        const char16_t held = next.isValid() ? formats.originalUnit(next.charFormatIndex()) : 0;
        const QTextLayout *layout = block.layout();
        if (held == 0 || needsGlyphStandIn(held) || held == QChar::ParagraphSeparator || !layout
            || layout->lineCount() == 0)
            continue;
        const int inBlock = block.length() - 1;
        const QTextLine line = layout->lineAt(layout->lineCount() - 1);
        const QPointF origin = blockBoundingGeometry(block).translated(offset).topLeft() + layout->position();
        const QString unit(QChar {held});
        const QRectF box(origin.x() + line.cursorToX(inBlock), origin.y() + line.y(),
                         fontMetrics().horizontalAdvance(unit), line.height());
        if (!box.intersects(area))
            continue;
        QBrush background;
        QColor foreground = palette().color(QPalette::Text);
        for (const QTextLayout::FormatRange &range : layout->formats()) {
            if (inBlock < range.start || inBlock >= range.start + range.length)
                continue;
            if (range.format.background().style() != Qt::NoBrush)
                background = range.format.background();
            if (range.format.foreground().style() != Qt::NoBrush)
                foreground = range.format.foreground().color();
        }
        const int position = block.position() + inBlock;
        if (position >= selection.selectionStart() && position < selection.selectionEnd()) {
            background = palette().brush(QPalette::Highlight);
            foreground = palette().color(QPalette::HighlightedText);
        }
        if (background.style() != Qt::NoBrush)
            painter.fillRect(box, background);
        painter.setPen(foreground);
        painter.setFont(font());
        painter.drawText(QPointF(box.left(), origin.y() + line.y() + line.ascent()), unit);
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
    // Tab is a character of the text; Ctrl+Tab and Ctrl+Shift+Tab leave the view, as in other desktop text views.
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        && event->modifiers().testFlag(Qt::ControlModifier)) {
        // The text view's own override refuses while the text is editable.
        QWidget::focusNextPrevChild(event->key() == Qt::Key_Tab && !event->modifiers().testFlag(Qt::ShiftModifier));
        return;
    }
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
    if ((m_mayHoldStandIns || m_mayHoldHeldBreaks) && !textCursor().hasSelection()
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
