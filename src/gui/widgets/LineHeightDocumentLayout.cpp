#include "gui/widgets/LineHeightDocumentLayout.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

LineHeightDocumentLayout::LineHeightDocumentLayout(QTextDocument *document)
    : QPlainTextDocumentLayout(document)
{
}

LineHeightDocumentLayout::~LineHeightDocumentLayout() = default;

void LineHeightDocumentLayout::setLineMetrics(qreal lineHeight, qreal lineSpacing)
{
    if (lineHeight == m_lineHeight && lineSpacing == m_lineSpacing)
        return;
    m_lineHeight = lineHeight;
    m_lineSpacing = lineSpacing;
    // Each block's lines move into place the next time the view asks for its size; the view measures again.
    Q_EMIT documentSizeChanged(documentSize());
    requestUpdate();
}

qreal LineHeightDocumentLayout::lineTop(int index, const QTextLine &line) const
{
    // A taller font than the line height overflows downwards rather than into the line above.
    return index * (m_lineHeight + m_lineSpacing) + qMax<qreal>(0, m_lineHeight - line.height());
}

QRectF LineHeightDocumentLayout::blockBoundingRect(const QTextBlock &block) const
{
    QRectF rect = QPlainTextDocumentLayout::blockBoundingRect(block);
    QTextLayout *layout = block.isValid() && block.isVisible() ? block.layout() : nullptr;
    const int count = layout ? layout->lineCount() : 0;
    if (m_lineHeight <= 0 || count == 0)
        return rect;
    // The plain layout stacks the lines afresh whenever it lays a block out; the last line tells whether it has.
    const int last = count - 1;
    if (qAbs(layout->lineAt(last).y() - lineTop(last, layout->lineAt(last))) > 0.5) {
        for (int index = 0; index < count; ++index) {
            QTextLine line = layout->lineAt(index);
            line.setPosition(QPointF(line.x(), lineTop(index, line)));
        }
    }
    const QTextLine lastLine = layout->lineAt(last);
    qreal height = qMax(count * (m_lineHeight + m_lineSpacing), lastLine.y() + lastLine.height());
    if (!block.next().isValid())
        height += document()->documentMargin();
    rect.setHeight(height);
    return rect;
}
