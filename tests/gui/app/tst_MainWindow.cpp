#include "LibraryTestSupport.h"
#include "TestSettings.h"
#include "core/evaluation/MatchEvaluation.h"
#include "core/library/ExpressionListModel.h"
#include "core/library/LibraryStoreController.h"
#include "core/platform/SingleInstanceLock.h"
#include "core/settings/LightAppearance.h"
#include "gui/app/MainSplitViewController.h"
#include "gui/app/ReferenceViewController.h"
#include "gui/editor/EvaluationStatusRow.h"
#include "gui/editor/ExpressionTestsViewController.h"
#include "gui/editor/ExpressionViewController.h"
#include "gui/editor/MatchInspectorViewController.h"
#include "gui/editor/OutputTextViewController.h"
#include "gui/editor/PatternTextView.h"
#include "gui/editor/SubstitutionViewController.h"
#include "gui/editor/ViewSizeController.h"
#include "gui/library/LibrarySaveNotice.h"
#include "gui/library/LibraryViewController.h"
#include "gui/widgets/ApplicationPalette.h"
#include "gui/widgets/BoxView.h"

#include "WindowTestSupport.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QSplitter>
#include <QSplitterHandle>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTranslator>
#include <QTreeWidget>
#include <QVariantAnimation>

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

// Class and object name, to find the widget a failure is about.
QString describe(const QObject *object)
{
    return QString::fromLatin1(object->metaObject()->className()) + u' ' + object->objectName();
}

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        startClean();
        QFile::remove(libraryPath());
    }

    // The menu adds an expression, which the editor shows; the next start finds the library as it was left, the
    // window's panels included.
    void endToEnd()
    {
        {
            AppDelegate app(libraryPath());
            QVERIFY(launched(app));
            MainSplitViewController *split = app.mainSplitViewController();
            LibraryStoreController *store = split->libraryViewController()->libraryStoreController();
            app.action(u"newExpressionAction"_s)->trigger();
            QVERIFY(split->isLibraryVisible());
            QTRY_COMPARE(app.viewController()->expression(), store->expressions().at(1).get());
            replaceText(app.viewController()->outputTextView(), u"typed"_s);
            store->moveFrom(1, 0);
            app.mainWindowController()->close();
        }
        AppDelegate again(libraryPath());
        again.applicationDidFinishLaunching();
        QVERIFY(again.mainSplitViewController()->isLibraryVisible());
        QCOMPARE(again.viewController()->outputTextView()->text(), u"typed"_s);
        QCOMPARE(fileNames(libraryPath()), (QStringList {u"New Expression"_s, u"First Expression"_s}));
    }

    void panelsFollowSettingsAndCommands()
    {
        UserDefaults::standard().setValue(UserDefaultsKey::showRightPanel, true);
        AppDelegate app(libraryPath());
        QVERIFY(launched(app));
        MainSplitViewController *split = app.mainSplitViewController();
        QVERIFY(!split->isLibraryVisible());
        QVERIFY(split->isHelpVisible());

        app.showOrHideReferenceSheet();
        QCOMPARE(UserDefaults::standard().boolValue(UserDefaultsKey::showRightPanel), false);
        QTRY_VERIFY(!split->isHelpVisible());
        QVERIFY(!app.action(u"showReferenceAction"_s)->isChecked());
        app.showReferenceSheet();
        QTRY_VERIFY(split->isHelpVisible());
        app.showReferenceSheet();
        QVERIFY(split->isHelpVisible());

        // Room on the (small) offscreen screen for the window to grow. The hidden panel leaves the window's minimum
        // width, and the editor its share, only as the layout catches up: a slow build is still there after a panel
        // has gone, so each step waits for the state the next one needs.
        QWidget *window = app.mainWindowController();
        QWidget *editor = split->expressionViewController();
        const auto animating = [split] { return !split->findChildren<QVariantAnimation *>().isEmpty(); };
        app.showOrHideReferenceSheet();
        QTRY_VERIFY(!split->isHelpVisible() && !animating() && window->minimumWidth() < 420);
        window->resize(420, 500);
        QTRY_VERIFY(window->width() == 420 && editor->width() <= 420);
        const int editorWidth = editor->width();
        UserDefaults::standard().setValue(UserDefaultsKey::showLeftPanel, true);
        QTRY_VERIFY(split->isLibraryVisible() && !animating());
        QTRY_VERIFY(window->width() > 420);
        QTRY_COMPARE(editor->width(), editorWidth);
    }

    void fullScreenIsPresentation()
    {
        AppDelegate app(libraryPath());
        QVERIFY(launched(app));
        MainWindowController *window = app.mainWindowController();
        const qreal normalSize = app.viewController()->viewSizeController()->fontSize();
        window->toggleFullScreen();
        QTRY_COMPARE(window->mode(), ViewMode::presentation);
        QCOMPARE(app.viewController()->viewSizeController()->fontSize(), 2 * normalSize);
        window->toggleFullScreen();
        QTRY_COMPARE(window->mode(), ViewMode::normal);
        QCOMPARE(app.viewController()->viewSizeController()->fontSize(), normalSize);
    }

    void stopCommandAndTimeBudgetField()
    {
        AppDelegate app(libraryPath());
        app.applicationDidFinishLaunching();
        ExpressionViewController *editor = app.viewController();
        replaceText(editor->outputTextView(), QString(40, u'a') + u'b');
        replaceText(editor->inputTextView(), u"(a+)+$"_s);
        QTRY_VERIFY(editor->matchEvaluation()->isEvaluating());
        app.action(u"stopEvaluationAction"_s)->trigger();
        QTRY_COMPARE(editor->warningLabel()->text(), u"Evaluation stopped."_s);

        // A new budget evaluates the same input again.
        app.showPreferences();
        auto *budget = findInWindows<QSpinBox>(u"timeBudgetField"_s);
        QVERIFY(budget);
        budget->setValue(1);
        QVERIFY(editor->isWarningLabelHidden());
        QTRY_COMPARE(editor->warningLabel()->text(), u"Stopped after 1 s (time budget). Change it in Preferences."_s);

        // Beside it, the backtrack stack limit: stored in bytes, shown in MB.
        auto *stackLimit = findInWindows<QSpinBox>(u"backtrackStackLimitField"_s);
        QVERIFY(stackLimit);
        QCOMPARE(stackLimit->text(), u"8 MB"_s);
        stackLimit->setValue(0);
        QCOMPARE(stackLimit->text(), u"No limit"_s);
        QCOMPARE(UserDefaults::standard().backtrackStackLimit(), 0);
        UserDefaults::standard().setValue(UserDefaultsKey::backtrackStackLimit, 1000);
        QCOMPARE(stackLimit->text(), u"1 MB"_s);
    }

    void commandsWithoutAWindowOnlyBeep()
    {
        AppDelegate app(libraryPath());
        app.applicationDidFinishLaunching();
        delete app.mainWindowController();
        QVERIFY(!app.mainSplitViewController());
        for (const auto command :
             {&AppDelegate::highlightNextGroup, &AppDelegate::highlightPreviousGroup, &AppDelegate::goToPattern,
              &AppDelegate::copyEscaped, &AppDelegate::pasteUnescaped, &AppDelegate::stopEvaluation})
            (app.*command)();
        QCOMPARE(app.activeGroup(), 0);
    }

    void tellsOnceAboutARecoveredLibrary_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("sentences");
        QTest::addRow("one entry of two unreadable")
            << R"([{"name": "Kept", "pattern": "a", "text": "b"}, {"name": 5}])"_ba << u"Kept"_s
            << u"The library file could not be read: it has 1 of 2 entries that cannot be read (entry 2 has no string "
               "value under the key \"name\"). 1 expression was recovered."_s;
        QTest::addRow("three of four readable")
            << R"([{"name": "A", "pattern": "", "text": ""}, 1, {"name": "B", "pattern": "", "text": ""},
                  {"name": "C", "pattern": "", "text": ""}])"_ba
            << u"A"_s << u"3 expressions were recovered."_s;
        QTest::addRow("not JSON")
            << R"([{"name": "Lost", "pattern": "a")"_ba << u"First Expression"_s
            << u"The library file could not be read: it is not valid JSON (unterminated string at "
               "byte 32). No expressions could be recovered."_s;
    }

    void tellsOnceAboutARecoveredLibrary()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, firstName);
        QFETCH(QString, sentences);
        QVERIFY(writeFile(libraryPath(), content));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^The library file .* could not be read"_s));
        AppDelegate app(libraryPath());
        app.applicationDidFinishLaunching();
        auto *message = app.mainWindowController()->findChild<QMessageBox *>(u"recoveryMessage"_s);
        QVERIFY(message);
        LibraryStoreController *store
            = app.mainSplitViewController()->libraryViewController()->libraryStoreController();
        const QString keptCopy = store->recovery()->keptCopyPath;
        QVERIFY(QFile::exists(keptCopy));
        QVERIFY2(message->informativeText().contains(sentences), qPrintable(message->informativeText()));
        QVERIFY(message->informativeText().endsWith(
            u" The file as it was has been kept unchanged in %1."_s.arg(QDir::toNativeSeparators(keptCopy))));
        QCOMPARE(app.mainSplitViewController()->expression()->name(), firstName);
    }

    void saysWhileTheLibraryCannotBeSaved()
    {
        const QString folder = m_folder.filePath(u"saving"_s);
        const QString path = folder + u"/expressions.json"_s;
        const QString copy = m_folder.filePath(u"copy.json"_s);
        QVERIFY(QDir(folder).removeRecursively() && QDir().mkpath(folder));
        QFile::remove(copy);
        const auto blockFolder = [&folder](bool blocked) {
            QFile blocker(folder);
            return blocked ? QDir(folder).removeRecursively() && blocker.open(QIODevice::WriteOnly) : blocker.remove();
        };
        AppDelegate app(path);
        QVERIFY(launched(app));
        QPointer<MainWindowController> window = app.mainWindowController();
        LibrarySaveNotice *notice = window->saveNotice();
        QString chosenPath;
        notice->setFileChooser([&chosenPath](QWidget *, const QString &) { return chosenPath; });
        QList<QPointer<QMessageBox>> questions;
        window->setAlertPresenter([&questions](QMessageBox *box) { questions.append(box); });
        NSTextViewWithPlaceholder *text = app.viewController()->outputTextView();
        QVERIFY(notice->isHidden());

        QVERIFY(blockFolder(true));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"could not be saved"_s));
        replaceText(text, u"kept in memory"_s);
        QTRY_VERIFY(notice->isVisible());
        QVERIFY(notice->messageLabel()->text().contains(QDir::toNativeSeparators(path)));
        QVERIFY(notice->messageLabel()->text().contains(u"(Not a directory)"_s));

        chosenPath = copy;
        notice->saveCopyButton()->click();
        QCOMPARE(fileContent(copy).at(0)[u"text"_s], u"kept in memory"_s);
        QVERIFY(notice->messageLabel()->text().endsWith(
            u"\nA copy was saved to %1."_s.arg(QDir::toNativeSeparators(copy))));
        chosenPath = folder + u"/copy.json"_s;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"copy of the library could not be saved"_s));
        notice->saveCopyButton()->click();
        QVERIFY(notice->messageLabel()->text().contains(u"The copy could not be saved to"_s));

        // Quitting asks; cancelling keeps the window and everything in it.
        app.action(u"quitAction"_s)->trigger();
        QCOMPARE(questions.size(), 1);
        QVERIFY(questions.first()->informativeText().contains(u"(Not a directory)"_s));
        questions.first()->escapeButton()->click();
        QVERIFY(window && window->isVisible());
        QCOMPARE(text->text(), u"kept in memory"_s);

        QVERIFY(blockFolder(false));
        QTest::ignoreMessage(QtInfoMsg, QRegularExpression(u"saved again"_s));
        notice->retryButton()->click();
        QVERIFY(notice->isHidden());
        QCOMPARE(fileContent(path).at(0)[u"text"_s], u"kept in memory"_s);

        // Closing the window discards only after asking.
        QVERIFY(blockFolder(true));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"could not be saved"_s));
        replaceText(text, u"discarded"_s);
        QTRY_VERIFY(notice->isVisible());
        window->close();
        QCOMPARE(questions.size(), 2);
        QVERIFY(window->isVisible());
        QPushButton *discard = nullptr;
        for (QAbstractButton *button : questions.last()->buttons())
            discard = button->text() == u"Quit Without Saving"_s ? qobject_cast<QPushButton *>(button) : discard;
        QVERIFY(discard);
        discard->click();
        QTRY_VERIFY(!window);
        QVERIFY(blockFolder(false));
    }

    // A data folder where the lock cannot be made (read-only, full) is no second instance: the library opens and
    // the notice says from the start why changes cannot be saved. Only reading it, the user quits without a question.
    void openedWhenTheLockCannotBeTaken()
    {
        QVERIFY(writeLibrary(libraryPath(), {u"Kept"_s}));
        const QString blocker = m_folder.filePath(u"blocker"_s);
        QVERIFY(writeFile(blocker, "a file where the data folder should be"));
        SingleInstanceLock lock(blocker + u"/data"_s);
        QCOMPARE(lock.tryLock(), SingleInstanceLock::State::failed);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"is opened, but changes cannot be saved"_s));
        AppDelegate app(libraryPath(), &lock);
        QVERIFY(launched(app));
        QPointer<MainWindowController> window = app.mainWindowController();
        QList<QPointer<QMessageBox>> questions;
        window->setAlertPresenter([&questions](QMessageBox *box) { questions.append(box); });
        QVERIFY(window->saveNotice()->isVisible());
        app.quit();
        QTRY_VERIFY(!window);
        QVERIFY(questions.isEmpty());
        QVERIFY(QFile::remove(blocker));
    }

    // At the first start's size with every panel open, the side panels give up width so that the line stays whole.
    void resultLineFitsBesideEveryPanel()
    {
        for (const QString &key :
             {keyString(UserDefaultsKey::showLeftPanel), keyString(UserDefaultsKey::showRightPanel),
              MatchInspectorViewController::shownKey(), SubstitutionViewController::shownKey()})
            UserDefaults::standard().setValue(key, true);
        AppDelegate app(libraryPath());
        MainWindowController *window = app.mainWindowController();
        window->resize(900, 640);
        app.applicationDidFinishLaunching();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        MainSplitViewController *split = app.mainSplitViewController();
        ExpressionViewController *editor = app.viewController();
        editor->outputTextView()->setText(u"2024-05, 2025-01, 2026-12 and 2027-07"_s);
        replaceText(editor->inputTextView(), u"(?<year>\\d{4})-(\\d\\d)"_s);
        QLabel *result = editor->statusRow()->resultLabel();
        QTRY_VERIFY2(result->text().startsWith(u"4 matches in "_s), qPrintable(result->text()));
        app.highlightNextGroup();
        QTRY_VERIFY2(result->text().endsWith(u"\u201Cyear\u201D"_s), qPrintable(result->text()));
        QTRY_VERIFY(!editor->isGroupBoxHidden());

        // Inside the editor, as wide as it asks, and for the result every line it needs.
        const auto whole = [editor](QWidget *widget) {
            const QRect shown(widget->mapTo(editor, QPoint(0, 0)), widget->size());
            return widget->isVisible() && editor->rect().contains(shown)
                && widget->width() >= widget->minimumSizeHint().width()
                && (!widget->hasHeightForWidth() || widget->height() >= widget->heightForWidth(widget->width()));
        };
        QTRY_VERIFY(window->width() == 900 && split->isLibraryVisible() && split->isHelpVisible());
        // The layout settles in steps, later on a slower build.
        QTRY_VERIFY(whole(result) && whole(editor->groupBox()) && editor->width() >= editor->minimumSizeHint().width());
        QVERIFY(!result->geometry().intersects(editor->groupBox()->geometry()));
        QVERIFY(split->libraryViewController()->width() + split->referenceViewController()->width() < 240 + 320);
    }

    void matchingSwitchesAgreeEverywhere_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        // On "Abc abc\nabc\rcan't".
        QTest::addRow("case insensitive") << int(UserDefaultsKey::caseInsensitive) << u"abc"_s << 2 << 3;
        // The first change on a fresh store is reported too.
        QTest::addRow("comments and whitespace")
            << int(UserDefaultsKey::allowCommentsAndWhitespace) << u"abc # trailing"_s << 0 << 2;
        QTest::addRow("anchors match lines") << int(UserDefaultsKey::multiline) << u"^abc"_s << 0 << 1;
        QTest::addRow("dot matches line separators")
            << int(UserDefaultsKey::dotMatchesLineSeparators) << u"c.a"_s << 1 << 2;
        QTest::addRow("Unicode word boundaries")
            << int(UserDefaultsKey::unicodeWordBoundaries) << u"\\b\\w"_s << 5 << 4;
        QTest::addRow("Unix line separators only") << int(UserDefaultsKey::unixLineSeparators) << u"c.c"_s << 0 << 1;
        QTest::addRow("pattern is literal text") << int(UserDefaultsKey::patternIsLiteral) << u"[a]bc"_s << 2 << 0;
    }

    // The button above the pattern, the menu item and the Preferences' check box show and write the same setting,
    // and the editor evaluates again on each change.
    void matchingSwitchesAgreeEverywhere()
    {
        QFETCH(int, index);
        QFETCH(int, before);
        QFETCH(int, after);
        const auto key = UserDefaultsKey(index);
        const QString name = keyString(key);
        AppDelegate app(libraryPath());
        QVERIFY(launched(app));
        app.showPreferences();
        auto *box = findInWindows<QCheckBox>(name + u"Switch"_s);
        auto *button = app.viewController()->findChild<QToolButton *>(name + u"Toggle"_s);
        QAction *action = app.action(name + u"Action"_s);
        QVERIFY(box && button && action);
        QVERIFY2(button->toolTip().startsWith(box->text() + u':'), qPrintable(button->toolTip()));
        QCOMPARE(QString(action->text()).remove(u'&').toLower(), box->text().toLower());
        ExpressionViewController *editor = app.viewController();
        editor->outputTextView()->setText(u"Abc abc\nabc\rcan't"_s);
        QFETCH(QString, pattern);
        replaceText(editor->inputTextView(), pattern);
        const auto count = [editor] { return int(editor->outputTextViewController()->matches().count()); };
        const auto agree = [&](bool expected) {
            return UserDefaults::standard().boolValue(key) == expected && button->isChecked() == expected
                && action->isChecked() == expected && box->isChecked() == expected;
        };
        QVERIFY(agree(false));
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(agree(true));
        QTRY_COMPARE(count(), after);
        QCOMPARE(editor->inputTextView()->allowsCommentsAndWhitespace(),
                 key == UserDefaultsKey::allowCommentsAndWhitespace);
        QCOMPARE(editor->inputTextView()->patternIsLiteral(), key == UserDefaultsKey::patternIsLiteral);
        action->trigger();
        QVERIFY(agree(false));
        // Back to the count without the switch: the change itself evaluates again, not only the edit before it.
        QTRY_COMPARE(count(), before);
        box->click();
        QVERIFY(agree(true));
        UserDefaults::standard().setValue(key, false);
        QVERIFY(agree(false));
    }

    // The pattern as code carries the switches that are on.
    void copyAsCodeTakesTheSwitches()
    {
        AppDelegate app(libraryPath());
        QVERIFY(launched(app));
        replaceText(app.viewController()->inputTextView(), u"\"\\d+\" costs $"_s);
        app.action(u"caseInsensitiveAction"_s)->trigger();
        app.action(u"copyAsKotlinAction"_s)->trigger();
        const QString code = QApplication::clipboard()->text();
        QVERIFY2(code.contains(u"Regex(\"\\\"\\\\d+\\\" costs \\$\", RegexOption.IGNORE_CASE)"_s), qPrintable(code));
    }

    void dividersAreBlackAtAFifth()
    {
        UserDefaults::standard().setValue(UserDefaultsKey::showLeftPanel, true);
        AppDelegate app(libraryPath());
        QVERIFY(launched(app));
        QSplitter *splitter = app.mainSplitViewController()->splitter();
        QSplitterHandle *handle = splitter->handle(1);
        // A thin handle is wider than it is drawn, to be easier to grab.
        QTRY_VERIFY(handle->isVisible() && handle->contentsRect().width() == 1);
        const QColor seen = splitter->grab().toImage().pixelColor(handle->geometry().center());
        const QColor background = ApplicationPalette::backgroundColor(LightAppearance());
        for (const auto &[shown, under] :
             {std::pair(seen.red(), background.red()), std::pair(seen.green(), background.green()),
              std::pair(seen.blue(), background.blue())})
            QVERIFY2(qAbs(shown - qRound(0.8 * under)) <= 2, qPrintable(seen.name()));
    }

    void filterFromAnywhereAndDroppedFiles()
    {
        AppDelegate app(libraryPath());
        app.applicationDidFinishLaunching();
        MainWindowController *window = app.mainWindowController();
        LibraryViewController *library = app.mainSplitViewController()->libraryViewController();
        app.action(u"filterLibraryAction"_s)->trigger();
        QTRY_VERIFY(app.mainSplitViewController()->isLibraryVisible());
        QCOMPARE(window->focusWidget(), library->filterField());

        const QString dropped = m_folder.filePath(u"dropped.json"_s);
        QVERIFY(writeLibrary(dropped, {u"Dropped"_s}));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(dropped), QUrl::fromLocalFile(m_folder.filePath(u"notes.txt"_s))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &drop);
        QCOMPARE(names(library->libraryStoreController()->expressions()),
                 QStringList({u"First Expression"_s, u"Dropped"_s}));
    }

    void shortcutsAreUnique()
    {
        AppDelegate app(libraryPath());
        QHash<QKeySequence, QString> owners;
        for (const QAction *action : app.mainWindowController()->findChildren<QAction *>()) {
            for (const QKeySequence &shortcut : action->shortcuts()) {
                const QString owner = owners.value(shortcut);
                QVERIFY2(
                    owner.isEmpty(),
                    qPrintable(shortcut.toString() + u" of "_s + action->objectName() + u" is taken by "_s + owner));
                owners.insert(shortcut, action->objectName());
            }
        }
        QVERIFY(owners.contains(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C)));
    }

    // With every panel and the Preferences open, each control a screen reader reaches has a name and a description;
    // with the feedback dialog too, every text shown went through tr(), which the marking translator wraps.
    void everyControlIsNamedAndEveryTextTranslatable()
    {
        MarkingTranslator marking;
        QCoreApplication::installTranslator(&marking);
        AppDelegate app(libraryPath());
        launchWithEveryPanel(app);
        app.action(u"preferencesAction"_s)->trigger();
        const QWidgetList windows = QApplication::topLevelWidgets();
        QTRY_VERIFY(std::count_if(windows.cbegin(), windows.cend(), [](QWidget *w) { return w->isVisible(); }) >= 2);

        const QSet<QAccessible::Role> controls {
            QAccessible::PushButton, QAccessible::CheckBox,     QAccessible::RadioButton, QAccessible::ComboBox,
            QAccessible::SpinBox,    QAccessible::EditableText, QAccessible::List,        QAccessible::Table,
            QAccessible::Tree,       QAccessible::Slider,       QAccessible::ButtonMenu,  QAccessible::PageTabList,
        };
        QStringList nameless;
        const std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *node) {
            if (!node || node->state().invisible)
                return;
            if (controls.contains(node->role())
                && (node->text(QAccessible::Name).isEmpty() || node->text(QAccessible::Description).isEmpty())) {
                const QObject *object = node->object();
                nameless.append(object ? describe(object) + u" in "_s + describe(object->parent()) : u"?"_s);
            }
            for (int i = 0; i < node->childCount(); ++i)
                walk(node->child(i));
        };
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->isVisible())
                walk(QAccessible::queryAccessibleInterface(window));
        }
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(u'\n')));

        app.action(u"feedbackAction"_s)->trigger();
        QStringList unmarked;
        const auto check = [&](const QObject *owner, const char *what, const QString &text) {
            if (!needsNoTranslation(text))
                unmarked << describe(owner) + u' ' + QString::fromLatin1(what) + u": " + text;
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

    // The sample becomes a passing test; a pattern that no longer finds the same fails it, which the panel and the
    // library row show; another expectation makes it pass again, and every change is saved.
    void testsTheExpressionInTheWindow()
    {
        UserDefaults::standard().setValue(ExpressionTestsViewController::shownKey(), true);
        AppDelegate app(libraryPath());
        QVERIFY(launched(app));
        ExpressionViewController *editor = app.viewController();
        ExpressionTestsViewController *panel = editor->testsPanel();
        replaceText(editor->inputTextView(), u"\\d+"_s);
        replaceText(editor->outputTextView(), u"a1 b22"_s);

        Expression *expression = editor->expression();
        QVERIFY(panel->addButton()->isEnabled());
        panel->addButton()->click();
        QTRY_COMPARE(expression->tests().size(), 1);
        QCOMPARE(expression->tests().at(0).values(), (QStringList {u"1"_s, u"22"_s}));
        QTRY_COMPARE(panel->verdicts().size(), 1);
        QVERIFY(panel->verdicts().at(0).passed);

        const LibraryViewController *library
            = app.mainWindowController()->splitViewController()->libraryViewController();
        const QModelIndex row = library->expressionsModel()->index(0);
        replaceText(editor->inputTextView(), u"\\d"_s);
        QTRY_VERIFY(!panel->verdicts().value(0, {true, {}, {}}).passed);
        QCOMPARE(panel->testsView()->topLevelItem(0)->text(3), u"[\"1\",\"2\",\"2\"]"_s);
        QTRY_VERIFY(row.data(ExpressionListModel::testsFailingRole).toBool());
        QVERIFY(!row.data(Qt::AccessibleDescriptionRole).toString().isEmpty());

        panel->testsView()->setCurrentItem(panel->testsView()->topLevelItem(0));
        panel->expectationBox()->setCurrentIndex(0);
        Q_EMIT panel->expectationBox()->activated(0);
        QCOMPARE(expression->tests().at(0).expectation(), ExpressionTestCase::Expectation::match);
        QTRY_VERIFY(!row.data(ExpressionListModel::testsFailingRole).toBool());
        QTRY_COMPARE(fileContent(libraryPath()).at(0)[u"tests"_s][0][u"expect"_s].toString(), u"match"_s);

        panel->removeButton()->click();
        QVERIFY(expression->tests().isEmpty());
    }

    // Tab, or Ctrl+Tab where Tab is a character of the text, goes round every panel in reading order.
    void keyboardGoesRoundTheWindow()
    {
        AppDelegate app(libraryPath());
        launchWithEveryPanel(app);
        QVERIFY(QTest::qWaitForWindowActive(app.mainWindowController()));
        app.viewController()->inputTextView()->setFocus();
        QTRY_VERIFY(app.viewController()->inputTextView()->hasFocus());
        QStringList visited {QApplication::focusWidget()->objectName()};
        // The reference sheet's links take the Tab one by one before it moves on.
        for (int press = 0; press < 60 && visited.size() < 14; ++press) {
            QWidget *focused = QApplication::focusWidget();
            QTest::keyClick(focused, Qt::Key_Tab,
                            qobject_cast<NSTextViewWithPlaceholder *>(focused) ? Qt::ControlModifier : Qt::NoModifier);
            if (QApplication::focusWidget()->objectName() != visited.last())
                visited.append(QApplication::focusWidget()->objectName());
        }
        QCOMPARE(visited,
                 (QStringList {u"patternTextView"_s, u"outputTextView"_s, u"matchInspectorView"_s,
                               u"replacementField"_s, u"substitutionPreview"_s, u"patternExplanationView"_s,
                               u"testsView"_s, u"addSampleAsTestButton"_s, u"referenceWebView"_s,
                               u"libraryFilterField"_s, u"libraryTableView"_s, u"addExpressionButton"_s,
                               u"removeExpressionButton"_s, u"patternTextView"_s}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), u"removeExpressionButton"_s);
    }

private:
    QTemporaryDir m_folder;
    QString libraryPath() const { return m_folder.filePath(u"expressions.json"_s); }
};

QTEST_MAIN(tst_MainWindow)
#include "tst_MainWindow.moc"
