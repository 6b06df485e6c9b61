#include "gui/app/ReferenceViewController.h"

#include "core/settings/Appearance.h"
#include "core/settings/AppearanceController.h"
#include "core/settings/UserDefaults.h"
#include "core/settings/UserDefaultsObserver.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFile>
#include <QLoggingCategory>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <utility>

Q_LOGGING_CATEGORY(lcReference, "quorvale.reference")

namespace {

QUrl resourceUrl(const QString &resourceName)
{
    return QUrl(QStringLiteral("qrc:/") + resourceName);
}

std::optional<QString> readResource(const QString &resourceName)
{
    QFile file(QStringLiteral(":/") + resourceName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QString::fromUtf8(file.readAll());
}

} // namespace

ReferenceViewController::ReferenceViewController(QWidget *parent)
    : QWidget(parent)
    , m_appearanceController(std::make_unique<AppearanceController>(this))
    , m_urlOpener([](const QUrl &url) { QDesktopServices::openUrl(url); })
{
    setObjectName(QStringLiteral("referenceViewController"));
    m_webView = new QTextBrowser(this);
    m_webView->setObjectName(QStringLiteral("referenceWebView"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_webView);

    m_userDefaultsObserver = std::make_unique<UserDefaultsObserver>(this);
    configureWebView();
    loadReference();
}

ReferenceViewController::~ReferenceViewController() = default;

void ReferenceViewController::setUrlOpener(UrlOpener opener)
{
    m_urlOpener = std::move(opener);
}

void ReferenceViewController::configureWebView()
{
    // The panel's own background shows through.
    m_webView->setFrameShape(QFrame::NoFrame);
    m_webView->viewport()->setAutoFillBackground(false);
    QPalette colors = m_webView->palette();
    colors.setColor(QPalette::Base, Qt::transparent);
    m_webView->setPalette(colors);
    m_webView->setContextMenuPolicy(Qt::NoContextMenu);
    m_webView->setOpenLinks(false);
    m_webView->setOpenExternalLinks(false);
    m_webView->document()->setUndoRedoEnabled(false);
    m_webView->document()->setDocumentMargin(10);
    m_webView->viewport()->installEventFilter(this);
    connect(m_webView, &QTextBrowser::anchorClicked, this, &ReferenceViewController::decideNavigation);
    connect(m_webView, &QTextBrowser::highlighted, this, &ReferenceViewController::setHoveredLink);
}

void ReferenceViewController::loadReference()
{
    const ReferenceType type
        = referenceTypeFromRawValue(UserDefaults::standard().integerValue(UserDefaultsKey::referenceType))
              .value_or(ReferenceType::basic);
    const QString resourceName = pageResourceName(type);
    const QString page
        = replacingVariables(pageTemplate(resourceName), referenceColors(*m_appearanceController->appearance()));

    // A palette change keeps the reader's place; another page starts at its top.
    const bool samePage = m_hasLoaded && type == m_referenceType;
    const int scrollPosition = m_webView->verticalScrollBar()->value();
    m_webView->document()->setBaseUrl(resourceUrl(resourceName));
    m_webView->setHtml(page);
    m_referenceType = type;
    m_hasLoaded = true;
    if (samePage)
        m_webView->verticalScrollBar()->setValue(scrollPosition);
    if (!m_hoveredLink.isEmpty())
        colorLinks(m_hoveredLink, m_appearanceController->appearance()->hoverLinkColor().toQColor());
}

QString ReferenceViewController::replacingVariables(const QString &text, const QHash<QString, QString> &variables)
{
    QString result = text;
    for (auto it = variables.cbegin(); it != variables.cend(); ++it)
        result.replace(QStringLiteral("$(") + it.key() + u')', it.value(), Qt::CaseSensitive);
    return result;
}

QHash<QString, QString> ReferenceViewController::referenceColors(const Appearance &appearance)
{
    return {
        {QStringLiteral("textColor"), appearance.textColor().rgb},
        {QStringLiteral("linkColor"), appearance.linkColor().rgb},
        {QStringLiteral("hoverLinkColor"), appearance.hoverLinkColor().rgb},
        {QStringLiteral("plainTextColor"), appearance.plainTextColor().rgb},
        {QStringLiteral("commentColor"), appearance.commentColor().rgb},
        {QStringLiteral("specialCharacterColor"), appearance.specialCharacterColor().rgb},
        {QStringLiteral("metacharacterColor"), appearance.metacharacterColor().rgb},
    };
}

QString ReferenceViewController::pageTemplate(const QString &resourceName)
{
    if (std::optional<QString> page = readResource(resourceName))
        return *page;
    qCWarning(lcReference) << "Reference page" << resourceName << "cannot be read; showing the basic page";
    const QString basicName = pageResourceName(ReferenceType::basic);
    if (resourceName != basicName) {
        if (std::optional<QString> page = readResource(basicName))
            return *page;
        qCWarning(lcReference) << "Reference page" << basicName << "cannot be read either";
    }
    return {};
}

void ReferenceViewController::userDefaultsObserverDidChangeValue(UserDefaultsObserver *, const QVariant &,
                                                                 UserDefaultsKey key)
{
    if (key == UserDefaultsKey::referenceType)
        loadReference();
}

void ReferenceViewController::appearanceDidChange(AppearanceController *, const Appearance &)
{
    loadReference();
}

void ReferenceViewController::decideNavigation(const QUrl &url)
{
    if (url.toString().startsWith(u"http")) {
        if (m_urlOpener)
            m_urlOpener(url);
        return;
    }
    // Anything else may only move within the page: following it would show a template without its colours.
    const bool inPage = url.hasFragment()
        && ((url.isRelative() && url.path().isEmpty())
            || url.adjusted(QUrl::RemoveFragment) == m_webView->document()->baseUrl());
    if (inPage)
        m_webView->scrollToAnchor(url.fragment());
}

// QTextBrowser ignores :hover in style sheets, so the link under the pointer is recoloured in the document itself.
void ReferenceViewController::setHoveredLink(const QUrl &link)
{
    if (link == m_hoveredLink)
        return;
    const std::unique_ptr<Appearance> appearance = m_appearanceController->appearance();
    if (!m_hoveredLink.isEmpty())
        colorLinks(m_hoveredLink, appearance->linkColor().toQColor());
    m_hoveredLink = link;
    if (!m_hoveredLink.isEmpty())
        colorLinks(m_hoveredLink, appearance->hoverLinkColor().toQColor());
}

void ReferenceViewController::colorLinks(const QUrl &link, const QColor &color)
{
    QTextDocument *document = m_webView->document();
    QList<std::pair<int, int>> ranges;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (format.isAnchor() && QUrl(format.anchorHref()) == link)
                ranges.append({fragment.position(), fragment.position() + fragment.length()});
        }
    }
    QTextCharFormat foreground;
    foreground.setForeground(color);
    for (const auto &[start, end] : std::as_const(ranges)) {
        QTextCursor cursor(document);
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(foreground);
    }
}

bool ReferenceViewController::eventFilter(QObject *watched, QEvent *event)
{
    // The browser reports no change when the pointer leaves the panel straight from a link.
    if (watched == m_webView->viewport() && event->type() == QEvent::Leave)
        setHoveredLink(QUrl());
    return QWidget::eventFilter(watched, event);
}
