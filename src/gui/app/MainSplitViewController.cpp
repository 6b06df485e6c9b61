#include "gui/app/MainSplitViewController.h"

#include "core/evaluation/LibraryTestMonitor.h"
#include "core/evaluation/MatchingSwitches.h"
#include "core/library/Paths.h"
#include "core/settings/UserDefaults.h"
#include "core/settings/UserDefaultsObserver.h"
#include "gui/app/ReferenceViewController.h"
#include "gui/editor/ExpressionViewController.h"
#include "gui/library/LibraryViewController.h"

#include <QDataStream>
#include <QHBoxLayout>
#include <QIODevice>
#include <QScreen>
#include <QSplitter>
#include <QSplitterHandle>
#include <QVariantAnimation>

namespace {

constexpr int libraryIndex = 0;
constexpr int editorIndex = 1;
constexpr int helpIndex = 2;
constexpr int stateVersion = 1;

} // namespace

MainSplitViewController::MainSplitViewController(const QString &libraryFilePath, SingleInstanceLock *lock,
                                                 QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("mainSplitViewController"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("mainSplitter"));
    m_splitter->setHandleWidth(1);
    m_splitter->setChildrenCollapsible(false);
    layout->addWidget(m_splitter);

    m_libraryViewController = new LibraryViewController(
        libraryFilePath.isEmpty() ? Paths::libraryFilePath() : libraryFilePath, lock, m_splitter);
    m_libraryViewController->setMinimumWidth(160);
    // Its minimum is what its rows need, so that the side panels give up width before it does.
    m_expressionViewController = new ExpressionViewController(m_splitter);
    m_referenceViewController = new ReferenceViewController(m_splitter);
    m_referenceViewController->setMinimumWidth(220);
    m_splitter->addWidget(m_libraryViewController);
    m_splitter->addWidget(m_expressionViewController);
    m_splitter->addWidget(m_referenceViewController);
    // The dividers are black at alpha 0.2 in either palette; the style draws nothing on a handle one pixel wide.
    const QColor dividerColor = QColor::fromRgbF(0, 0, 0, 0.2F);
    for (const int index : {editorIndex, helpIndex}) {
        QSplitterHandle *handle = m_splitter->handle(index);
        QPalette colors = handle->palette();
        colors.setColor(QPalette::Window, dividerColor);
        handle->setPalette(colors);
        handle->setAutoFillBackground(true);
    }
    m_splitter->setStretchFactor(libraryIndex, 0);
    m_splitter->setStretchFactor(editorIndex, 1);
    m_splitter->setStretchFactor(helpIndex, 0);
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] {
        const QList<int> sizes = m_splitter->sizes();
        for (const int index : {libraryIndex, helpIndex}) {
            if (sizes.value(index) > 0)
                m_panelWidths[index] = sizes.value(index);
        }
    });

    m_userDefaultsObserver = std::make_unique<UserDefaultsObserver>(this);
    connect(m_libraryViewController, &LibraryViewController::selectedExpressionChanged, this,
            &MainSplitViewController::setExpression);
    setExpression(m_libraryViewController->selectedExpression());
    applyTestSettings();
    // Until the window appears, the panels simply take the settings' state.
    m_libraryViewController->setVisible(UserDefaults::standard().boolValue(UserDefaultsKey::showLeftPanel));
    m_referenceViewController->setVisible(UserDefaults::standard().boolValue(UserDefaultsKey::showRightPanel));
}

MainSplitViewController::~MainSplitViewController() = default;

void MainSplitViewController::setExpression(Expression *expression)
{
    m_expression = expression;
    m_expressionViewController->setExpression(expression);
}

// The library's marks judge the tests as the editor runs them.
void MainSplitViewController::applyTestSettings()
{
    UserDefaults &defaults = UserDefaults::standard();
    LibraryTestMonitor *monitor = m_libraryViewController->testMonitor();
    monitor->setTimeBudget(std::chrono::seconds(qBound(0, defaults.integerValue(UserDefaultsKey::timeBudget), 86400)));
    monitor->setSettings(
        {MatchingSwitches::options([&defaults](UserDefaultsKey key) { return defaults.boolValue(key); }),
         defaults.backtrackStackLimit()});
}

bool MainSplitViewController::isLibraryVisible() const
{
    return !m_libraryViewController->isHidden();
}

bool MainSplitViewController::isHelpVisible() const
{
    return !m_referenceViewController->isHidden();
}

void MainSplitViewController::setIsLibraryVisible(bool visible, bool animated)
{
    setPanelVisible(libraryIndex, visible, animated);
}

void MainSplitViewController::setIsHelpVisible(bool visible, bool animated)
{
    setPanelVisible(helpIndex, visible, animated);
}

void MainSplitViewController::setPanelVisible(int index, bool visible, bool animated)
{
    QWidget *panel = m_splitter->widget(index);
    if (panel->isHidden() != visible)
        return;
    if (m_animation)
        m_animation->stop();
    QWidget *topLevel = window();
    const bool growWindow = topLevel && topLevel->isWindow() && topLevel->isVisible()
        && !(topLevel->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
    QList<int> sizes = m_splitter->sizes();
    if (!visible && sizes.value(index) > 0)
        m_panelWidths[index] = sizes.value(index);
    const int width = qMax(m_panelWidths[index], panel->minimumWidth());
    const int editorWidth = sizes.value(editorIndex);
    const QRect startGeometry = topLevel ? topLevel->geometry() : QRect();
    // The panel brings its own divider.
    const int needed = width + m_splitter->handleWidth();
    int windowDelta = growWindow ? (visible ? needed : -needed) : 0;
    if (growWindow && topLevel->screen()) {
        // Never past the screen: beyond it, the editor gives up the room instead.
        const QRect available = topLevel->screen()->availableGeometry();
        windowDelta = qMin(windowDelta, available.width() - topLevel->frameGeometry().width());
        const int overhang = startGeometry.x() + startGeometry.width() + windowDelta - available.right();
        if (overhang > 0)
            topLevel->move(qMax(available.left(), topLevel->x() - overhang), topLevel->y());
    }

    const auto finish = [this, index, visible, panel, width, editorWidth, growWindow] {
        panel->setVisible(visible);
        QList<int> finalSizes = m_splitter->sizes();
        finalSizes[index] = visible ? width : 0;
        // Absolute widths; when the window's new size arrives, the editor alone takes up the difference.
        if (growWindow)
            finalSizes[editorIndex] = editorWidth;
        m_splitter->setSizes(finalSizes);
    };
    if (!animated || !growWindow) {
        if (growWindow)
            topLevel->resize(startGeometry.width() + windowDelta, startGeometry.height());
        finish();
        return;
    }
    // Grow or shrink the window over a short time; the panel appears at its full width once there is room.
    if (visible)
        panel->setVisible(true);
    auto *animation = new QVariantAnimation(this);
    m_animation = animation;
    animation->setDuration(200);
    animation->setStartValue(startGeometry.width());
    animation->setEndValue(startGeometry.width() + windowDelta);
    animation->setEasingCurve(QEasingCurve::OutCubic);
    connect(animation, &QVariantAnimation::valueChanged, topLevel, [topLevel, startGeometry](const QVariant &value) {
        topLevel->resize(value.toInt(), startGeometry.height());
    });
    connect(animation, &QVariantAnimation::finished, this, finish);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void MainSplitViewController::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_restoredPanels)
        return;
    m_restoredPanels = true;
    // The window's size already holds the panels the settings show; only the splitter needs their widths. Where the
    // screen made the window narrower, the side panels give up width, down to their minimum, before the editor gives
    // up what its rows ask for.
    QList<int> sizes = m_splitter->sizes();
    sizes[libraryIndex] = isLibraryVisible() ? m_panelWidths[libraryIndex] : 0;
    sizes[helpIndex] = isHelpVisible() ? m_panelWidths[helpIndex] : 0;
    const int editorMinimum = m_expressionViewController->minimumSizeHint().width();
    const int editorWanted = m_expressionViewController->sizeHint().width();
    int excess = editorWanted + sizes[libraryIndex] + sizes[helpIndex] + 2 * m_splitter->handleWidth() - width();
    for (const int index : {helpIndex, libraryIndex}) {
        const int room = sizes[index] > 0 ? sizes[index] - m_splitter->widget(index)->minimumWidth() : 0;
        const int given = qBound(0, excess, room);
        sizes[index] -= given;
        excess -= given;
    }
    sizes[editorIndex] = qMax(editorMinimum, width() - sizes[libraryIndex] - sizes[helpIndex]);
    m_splitter->setSizes(sizes);
}

void MainSplitViewController::userDefaultsObserverDidChangeValue(UserDefaultsObserver *, const QVariant &,
                                                                 UserDefaultsKey key)
{
    if (MatchingSwitches::forKey(key) || key == UserDefaultsKey::backtrackStackLimit
        || key == UserDefaultsKey::timeBudget)
        applyTestSettings();
    if (key == UserDefaultsKey::showRightPanel)
        setIsHelpVisible(UserDefaults::standard().boolValue(UserDefaultsKey::showRightPanel), true);
    else if (key == UserDefaultsKey::showLeftPanel)
        setIsLibraryVisible(UserDefaults::standard().boolValue(UserDefaultsKey::showLeftPanel), true);
}

QByteArray MainSplitViewController::saveState() const
{
    QByteArray state;
    QDataStream stream(&state, QIODevice::WriteOnly);
    const QList<int> sizes = m_splitter->sizes();
    stream << stateVersion << (isLibraryVisible() ? sizes.value(libraryIndex) : m_panelWidths[libraryIndex])
           << (isHelpVisible() ? sizes.value(helpIndex) : m_panelWidths[helpIndex]);
    return state;
}

void MainSplitViewController::restoreState(const QByteArray &state)
{
    QDataStream stream(state);
    int version = 0;
    int libraryWidth = 0;
    int helpWidth = 0;
    stream >> version >> libraryWidth >> helpWidth;
    if (stream.status() != QDataStream::Ok || version != stateVersion)
        return;
    // A damaged or odd value must not leave a panel unusable.
    m_panelWidths[libraryIndex] = qBound(160, libraryWidth, 800);
    m_panelWidths[helpIndex] = qBound(220, helpWidth, 900);
}
