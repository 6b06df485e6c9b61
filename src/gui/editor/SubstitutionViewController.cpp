#include "gui/editor/SubstitutionViewController.h"

#include "core/evaluation/SubstitutionController.h"
#include "core/library/Expression.h"
#include "core/settings/Appearance.h"
#include "core/settings/AppearanceController.h"
#include "gui/editor/ViewSizeController.h"
#include "gui/widgets/BoxView.h"
#include "gui/widgets/NSTextViewWithPlaceholder.h"

#include <QBoxLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>

SubstitutionViewController::SubstitutionViewController(ViewSizeController *sizes, QWidget *parent)
    : QWidget(parent)
    , m_sizes(sizes)
    , m_appearanceController(std::make_unique<AppearanceController>(this))
{
    setObjectName(QStringLiteral("substitutionPanel"));
    m_substitutionController = new SubstitutionController(this);
    m_substitutionController->setObjectName(QStringLiteral("substitutionController"));

    m_layout = new QVBoxLayout(this);
    m_layout->setSpacing(4);
    m_fieldBox = new BoxView(this);
    m_fieldBox->setObjectName(QStringLiteral("replacementBox"));
    m_fieldBox->setCornerRadius(6);
    auto *fieldLayout = new QVBoxLayout(m_fieldBox);
    fieldLayout->setContentsMargins(6, 4, 6, 4);
    m_replacementField = new QLineEdit(m_fieldBox);
    m_replacementField->setObjectName(QStringLiteral("replacementField"));
    m_replacementField->setAccessibleName(tr("Replacement"));
    //: Placeholder of the replacement template field
    m_replacementField->setPlaceholderText(tr("Replacement ($1, ${name})"));
    m_replacementField->setFrame(false);
    m_replacementField->setClearButtonEnabled(false);
    fieldLayout->addWidget(m_replacementField);
    m_layout->addWidget(m_fieldBox);

    m_statusLabel = new QLabel(this);
    m_statusLabel->setObjectName(QStringLiteral("substitutionStatusLabel"));
    m_statusLabel->setWordWrap(true);
    m_statusLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_layout->addWidget(m_statusLabel);

    m_previewBox = new BoxView(this);
    m_previewBox->setObjectName(QStringLiteral("substitutionPreviewBox"));
    m_previewBox->setCornerRadius(6);
    auto *previewLayout = new QVBoxLayout(m_previewBox);
    previewLayout->setContentsMargins(6, 6, 6, 6);
    m_previewView = new NSTextViewWithPlaceholder(m_previewBox);
    m_previewView->setObjectName(QStringLiteral("substitutionPreview"));
    m_previewView->setAccessibleName(tr("Substitution result"));
    m_previewView->setAccessibleDescription(tr("The sample text with every match replaced"));
    m_previewView->setEditable(false);
    m_previewView->setUndoRedoEnabled(false);
    m_previewView->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    previewLayout->addWidget(m_previewView);
    m_layout->addWidget(m_previewBox, 1);

    connect(m_replacementField, &QLineEdit::textEdited, this, &SubstitutionViewController::replacementEdited);
    connect(m_substitutionController, &SubstitutionController::finished, this, &SubstitutionViewController::finished);
    connect(m_substitutionController, &SubstitutionController::failed, this,
            [this](const QString &message) { failed(message); });
    if (m_sizes)
        connect(m_sizes, &ViewSizeController::sizesApplied, this, &SubstitutionViewController::applySizes);
    applySizes();
    applyAppearance();
}

SubstitutionViewController::~SubstitutionViewController() = default;

QString SubstitutionViewController::shownKey()
{
    return QStringLiteral("showSubstitutionPreview");
}

void SubstitutionViewController::setExpression(Expression *expression)
{
    m_expression = expression;
    m_replacementField->setText(expression ? expression->replacement() : QString());
    // The input belongs to the expression shown before; its own evaluation follows.
    invalidate();
}

void SubstitutionViewController::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    if (active) {
        start();
    } else {
        m_substitutionController->stop();
        m_result.reset();
    }
}

void SubstitutionViewController::setInput(const Pattern &pattern, const QString &text)
{
    m_hasInput = true;
    m_pattern = pattern;
    m_text = text;
    start();
}

void SubstitutionViewController::invalidate()
{
    m_hasInput = false;
    m_substitutionController->stop();
    m_result.reset();
}

void SubstitutionViewController::clearInput()
{
    invalidate();
    m_pattern.reset();
    m_text.clear();
    m_previewView->setText(QString());
    setStatus(QString(), false);
}

void SubstitutionViewController::replacementEdited(const QString &replacement)
{
    if (m_expression)
        m_expression->setReplacement(replacement);
    start();
}

void SubstitutionViewController::start()
{
    m_result.reset();
    if (!m_active || !m_hasInput) {
        m_substitutionController->stop();
        return;
    }
    if (!m_pattern) {
        finished(m_text, 0);
        return;
    }
    m_substitutionController->start(m_pattern, m_replacementField->text(), m_text);
}

namespace {

// Where a preview of at most maximum units ends: after the last line break in its last quarter, else at the maximum,
// never between the halves of a surrogate pair.
qsizetype previewEnd(QStringView result, qsizetype maximum)
{
    if (result.size() <= maximum)
        return result.size();
    const qsizetype lineEnd = result.first(maximum).lastIndexOf(u'\n');
    if (lineEnd >= maximum - maximum / 4)
        return lineEnd + 1;
    return result.at(maximum).isLowSurrogate() ? maximum - 1 : maximum;
}

} // namespace

void SubstitutionViewController::finished(const QString &result, qsizetype replacements)
{
    m_result = result;
    const qsizetype shown = previewEnd(result, m_maximumPreviewLength);
    m_previewView->setText(shown == result.size() ? result : result.first(shown));
    QString status;
    if (replacements == 0)
        //: Below the replacement field: the pattern found nothing to replace
        status = tr("no replacements");
    else if (replacements == 1)
        //: Below the replacement field
        status = tr("1 replacement");
    else
        //: Below the replacement field: the number of matches replaced
        status = tr("%L1 replacements").arg(replacements);
    if (shown < result.size())
        //: Appended to the replacement count when the preview is cut; the numbers count UTF-16 units
        status += tr("; the preview shows the first %L1 of %L2 characters, Copy Substitution Result copies all")
                      .arg(shown)
                      .arg(result.size());
    setStatus(status, false);
    Q_EMIT previewUpdated();
}

void SubstitutionViewController::failed(const QString &message)
{
    m_result.reset();
    m_previewView->setText(QString());
    setStatus(message, true);
    Q_EMIT previewUpdated();
}

bool SubstitutionViewController::copyResult() const
{
    if (!m_result)
        return false;
    QGuiApplication::clipboard()->setText(*m_result);
    return true;
}

void SubstitutionViewController::setStatus(const QString &text, bool isError)
{
    m_statusLabel->setText(text);
    m_showsError = isError;
    applyAppearance();
}

void SubstitutionViewController::appearanceDidChange(AppearanceController *, const Appearance &)
{
    applyAppearance();
}

void SubstitutionViewController::applyAppearance()
{
    const std::unique_ptr<Appearance> palette = m_appearanceController->appearance();
    for (BoxView *box : {m_fieldBox, m_previewBox})
        box->setFillColor(palette->textBoxColor().toQColor());

    QPalette field = m_replacementField->palette();
    field.setColor(QPalette::Base, Qt::transparent);
    field.setColor(QPalette::Text, palette->patternTextColor().toQColor());
    field.setColor(QPalette::PlaceholderText, palette->placeholderColor().toQColor());
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        field.setColor(group, QPalette::Highlight, palette->patternSelectionColor().toQColor());
        field.setColor(group, QPalette::HighlightedText, palette->patternSelectedTextColor().toQColor());
    }
    m_replacementField->setPalette(field);

    m_previewView->setTextColor(palette->outputTextColor().toQColor());
    m_previewView->setSelectedTextBackgroundColor(palette->outputSelectionColor().toQColor());
    m_previewView->setSelectedTextForegroundColor(palette->outputSelectedTextColor().toQColor());

    QPalette status = m_statusLabel->palette();
    status.setColor(QPalette::WindowText, (m_showsError ? palette->errorColor() : palette->textColor()).toQColor());
    m_statusLabel->setPalette(status);
}

void SubstitutionViewController::applySizes()
{
    const qreal multiplier = m_sizes ? m_sizes->multiplier() : 1.0;
    const qreal fontSize = m_sizes ? m_sizes->fontSize() : ViewSizeController::normalFontSize;
    const qreal labelSize = m_sizes ? m_sizes->mediumFontSize() : ViewSizeController::normalMediumFontSize;
    m_layout->setContentsMargins(qRound(16 * multiplier), qRound(4 * multiplier), qRound(16 * multiplier),
                                 qRound(6 * multiplier));
    const QFont fixed = ViewSizeController::fixedPitchFont(fontSize);
    m_replacementField->setFont(fixed);
    m_previewView->setFont(fixed);
    m_statusLabel->setFont(ViewSizeController::systemFont(labelSize));
}
