#include "TestSettings.h"
#include "core/settings/UserDefaults.h"
#include "gui/app/AppDelegate.h"
#include "gui/app/MainWindowController.h"

#include "UnexpectedWarnings.h"
#include "WindowTestSupport.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace {

// Marks every text that went through tr(), so that a text shown without the marks was never offered to translators.
class MarkingTranslator final : public QTranslator
{
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char *, const char *sourceText, const char *, int) const override
    {
        return u"\u27E6"_s + QString::fromUtf8(sourceText) + u"\u27E7"_s;
    }
};

// What may be shown untranslated: the application's name, numbers, and single symbols such as "+".
bool needsNoTranslation(const QString &text)
{
    static const QRegularExpression numberOrSymbol(u"^[\\d\\s.,:%]*$|^\\W$"_s);
    return text.isEmpty() || text == u"Quorvale"_s || text.contains(u'\u27E6') || numberOrSymbol.match(text).hasMatch();
}

} // namespace

class tst_MarkedTexts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnUnexpectedWarnings(); }

    void everyVisibleTextIsTranslatable()
    {
        resetSettingsToLightDefaults();
        MarkingTranslator marking;
        QCoreApplication::installTranslator(&marking);
        QTemporaryDir folder;
        AppDelegate app(folder.filePath(u"expressions.json"_s));
        launchWithEveryPanel(app);
        app.action(u"preferencesAction"_s)->trigger();
        app.action(u"feedbackAction"_s)->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(app.mainWindowController()));

        QStringList unmarked;
        const auto check = [&](const QObject *owner, const char *what, const QString &text) {
            if (!needsNoTranslation(text))
                unmarked << QString::fromLatin1(owner->metaObject()->className()) + u' ' + owner->objectName() + u' '
                        + QString::fromLatin1(what) + u": " + text;
        };
        const std::function<void(const QAction *)> checkAction = [&](const QAction *action) {
            check(action, "text", action->text());
            check(action, "tool tip", action->toolTip());
            if (action->menu()) {
                for (const QAction *item : action->menu()->actions())
                    checkAction(item);
            }
        };
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (!window->isVisible())
                continue;
            check(window, "window title", window->windowTitle());
            QList<QWidget *> widgets = window->findChildren<QWidget *>();
            widgets.prepend(window);
            for (const QWidget *widget : widgets) {
                if (!widget->isVisibleTo(window) && !qobject_cast<const QMenu *>(widget))
                    continue;
                check(widget, "tool tip", widget->toolTip());
                check(widget, "accessible name", widget->accessibleName());
                check(widget, "accessible description", widget->accessibleDescription());
                for (const QAction *action : widget->actions())
                    checkAction(action);
                if (const auto *label = qobject_cast<const QLabel *>(widget))
                    check(widget, "text", label->text());
                if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
                    check(widget, "text", button->text());
                if (const auto *field = qobject_cast<const QLineEdit *>(widget))
                    check(widget, "placeholder", field->placeholderText());
                if (const auto *spinBox = qobject_cast<const QSpinBox *>(widget)) {
                    check(widget, "suffix", spinBox->suffix());
                    check(widget, "special value", spinBox->specialValueText());
                }
                if (const auto *comboBox = qobject_cast<const QComboBox *>(widget)) {
                    for (int i = 0; i < comboBox->count(); ++i)
                        check(widget, "item", comboBox->itemText(i));
                }
                if (const auto *header = qobject_cast<const QHeaderView *>(widget); header && header->model()) {
                    for (int i = 0; i < header->count(); ++i)
                        check(widget, "header", header->model()->headerData(i, header->orientation()).toString());
                }
            }
        }
        QVERIFY2(unmarked.isEmpty(), qPrintable(unmarked.join(u'\n')));
    }
};

QTEST_MAIN(tst_MarkedTexts)
#include "tst_MarkedTexts.moc"
