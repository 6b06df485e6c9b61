#pragma once

#include <QPlainTextDocumentLayout>

// The plain-text layout with a fixed line pitch: every line takes the line height, the glyphs at its bottom, then the
// spacing below it. The plain layout knows no line height of its own, so each block's lines are moved into place
// once it has laid them out.
class LineHeightDocumentLayout final : public QPlainTextDocumentLayout
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LineHeightDocumentLayout)

public:
    explicit LineHeightDocumentLayout(QTextDocument *document);
    ~LineHeightDocumentLayout() override;

    // In pixels; a line height of 0 leaves the lines where the plain layout puts them.
    qreal lineHeight() const { return m_lineHeight; }
    qreal lineSpacing() const { return m_lineSpacing; }
    void setLineMetrics(qreal lineHeight, qreal lineSpacing);

    QRectF blockBoundingRect(const QTextBlock &block) const override;

private:
    qreal lineTop(int index, const QTextLine &line) const;

    qreal m_lineHeight = 0;
    qreal m_lineSpacing = 0;
};
