#pragma once

#include "core/settings/AppearanceControllerDelegate.h"
#include "core/settings/UserDefaultsObserverDelegate.h"
#include "gui/app/ReferenceType.h"

#include <QHash>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>

class Appearance;
class AppearanceController;
class QTextBrowser;
class UserDefaultsObserver;

// The right panel: the basic or advanced regular-expression cheat sheet, coloured with the current palette and
// reloaded whenever "referenceType" or the palette changes. Web links open in the desktop's browser; the panel only
// ever follows anchors inside its own page.
class ReferenceViewController final : public QWidget,
                                      public UserDefaultsObserverDelegate,
                                      public AppearanceControllerDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReferenceViewController)

public:
    using UrlOpener = std::function<void(const QUrl &)>;

    explicit ReferenceViewController(QWidget *parent = nullptr);
    ~ReferenceViewController() override;

    QTextBrowser *webView() const { return m_webView; }
    // The page shown by the last load; a stored type other than 0 or 1 shows the basic page.
    ReferenceType referenceType() const { return m_referenceType; }

    // Receives every web address the user clicks; QDesktopServices::openUrl unless replaced (tests do).
    void setUrlOpener(UrlOpener opener);

    void loadReference();

    // Every "$(name)" of a listed name becomes its value, matched literally and case-sensitively; other names,
    // other spellings and "$( name )" stay as written.
    static QString replacingVariables(const QString &text, const QHash<QString, QString> &variables);
    // The seven page colours of the palette, by variable name, as "#RRGGBB" text (alpha is not used).
    static QHash<QString, QString> referenceColors(const Appearance &appearance);
    // The named page template from the resources; the basic page when that one cannot be read, and empty only when
    // neither can.
    static QString pageTemplate(const QString &resourceName);

    void userDefaultsObserverDidChangeValue(UserDefaultsObserver *observer, const QVariant &newValue,
                                            UserDefaultsKey key) override;
    void appearanceDidChange(AppearanceController *controller, const Appearance &appearance) override;

private:
    void configureWebView();
    void decideNavigation(const QUrl &url);
    void setHoveredLink(const QUrl &link);
    void colorLinks(const QUrl &link, const QColor &color);
    bool eventFilter(QObject *watched, QEvent *event) override;

    QTextBrowser *m_webView = nullptr;
    std::unique_ptr<UserDefaultsObserver> m_userDefaultsObserver;
    const std::unique_ptr<AppearanceController> m_appearanceController;
    UrlOpener m_urlOpener;
    ReferenceType m_referenceType = ReferenceType::basic;
    bool m_hasLoaded = false;
    QUrl m_hoveredLink;
};
