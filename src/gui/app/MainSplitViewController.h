#pragma once

#include "core/settings/UserDefaultsObserverDelegate.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class Expression;
class ExpressionViewController;
class LibraryViewController;
class QSplitter;
class QVariantAnimation;
class ReferenceViewController;
class SingleInstanceLock;
class UserDefaultsObserver;

// The window's three panels side by side: the library, the editor and the reference. The side panels follow
// "showLeftPanel" and "showRightPanel"; showing one widens the window by its width and leaves the editor's width
// alone. The library's selection is the editor's expression.
class MainSplitViewController final : public QWidget, public UserDefaultsObserverDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainSplitViewController)

public:
    // Tests give the library a file of their own; empty means the user's library.
    explicit MainSplitViewController(const QString &libraryFilePath = {}, SingleInstanceLock *lock = nullptr,
                                     QWidget *parent = nullptr);
    ~MainSplitViewController() override;

    QSplitter *splitter() const { return m_splitter; }
    LibraryViewController *libraryViewController() const { return m_libraryViewController; }
    ExpressionViewController *expressionViewController() const { return m_expressionViewController; }
    ReferenceViewController *referenceViewController() const { return m_referenceViewController; }
    Expression *expression() const { return m_expression; }

    bool isLibraryVisible() const;
    bool isHelpVisible() const;
    void setIsLibraryVisible(bool visible, bool animated = false);
    void setIsHelpVisible(bool visible, bool animated = false);

    // Panel widths and the editor's width, for the next start.
    QByteArray saveState() const;
    void restoreState(const QByteArray &state);

    void userDefaultsObserverDidChangeValue(UserDefaultsObserver *observer, const QVariant &newValue,
                                            UserDefaultsKey key) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void setExpression(Expression *expression);
    void applyTestSettings();
    void setPanelVisible(int index, bool visible, bool animated);

    QSplitter *m_splitter = nullptr;
    LibraryViewController *m_libraryViewController = nullptr;
    ExpressionViewController *m_expressionViewController = nullptr;
    ReferenceViewController *m_referenceViewController = nullptr;
    QPointer<Expression> m_expression;
    std::unique_ptr<UserDefaultsObserver> m_userDefaultsObserver;
    QPointer<QVariantAnimation> m_animation;
    // Width of each side panel while shown, kept while it is hidden.
    int m_panelWidths[3] = {240, 0, 320};
    bool m_restoredPanels = false;
};
