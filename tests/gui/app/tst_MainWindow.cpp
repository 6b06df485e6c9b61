#include "LibraryTestSupport.h"
#include "TestSettings.h"
#include "core/evaluation/MatchEvaluation.h"
#include "core/evaluation/MatchInspectorModel.h"
#include "core/library/ExpressionListModel.h"
#include "core/library/LibraryStoreController.h"
#include "core/platform/SingleInstanceLock.h"
#include "core/settings/LightAppearance.h"
#include "core/settings/UserDefaults.h"
#include "gui/app/AppDelegate.h"
#include "gui/app/MainSplitViewController.h"
#include "gui/app/MainWindowController.h"
#include "gui/app/ReferenceViewController.h"
#include "gui/editor/EvaluationStatusRow.h"
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
#include "gui/widgets/NSTextViewWithPlaceholder.h"

#include "UnexpectedWarnings.h"
#include "WindowTestSupport.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QSplitter>
#include <QSplitterHandle>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QVariantAnimation>

using namespace Qt::StringLiterals;

namespace {

void replaceText(NSTextViewWithPlaceholder *view, const QString &text)
{
    view->selectAll();
    view->textCursor().insertText(text);
}

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        failOnUnexpectedWarnings();
        resetSettingsToLightDefaults();
        QFile::remove(libraryPath());
    }

    void endToEnd()
    {
        {
            AppDelegate app(libraryPath());
            app.applicationDidFinishLaunching();
            QVERIFY(QTest::qWaitForWindowExposed(app.mainWindowController()));
            MainSplitViewController *split = app.mainSplitViewController();
            LibraryViewController *library = split->libraryViewController();
            ExpressionViewController *editor = split->expressionViewController();
            QCOMPARE(split->expression()->name(), u"First Expression"_s);

            app.action(u"newExpressionAction"_s)->trigger();
            QVERIFY(split->isLibraryVisible());
            QTRY_COMPARE(split->expression()->name(), u"New Expression"_s);
            library->expressionsModel()->setData(library->expressionsModel()->index(1, 0), u"Dates"_s, Qt::EditRole);
            replaceText(editor->inputTextView(), u"(\\d{4})-(\\d\\d)"_s);
            replaceText(editor->outputTextView(), u"from 2024-05 to 2025-01"_s);
            QTRY_COMPARE(editor->outputTextViewController()->matches().count(), 2);
            app.highlightNextGroup();
            app.highlightNextGroup();
            QCOMPARE(app.activeGroup(), 2);
            QCOMPARE(editor->inputTextView()->highlightedGroup(), 2);

            // Reorder, then add one more and delete it after confirming.
            library->libraryStoreController()->moveFrom(1, 0);
            app.action(u"newExpressionAction"_s)->trigger();
            QTRY_COMPARE(library->libraryStoreController()->expressions().size(), 3);
            QList<QPointer<QMessageBox>> alerts;
            library->setAlertPresenter([&alerts](QMessageBox *box) { alerts.append(box); });
            QTRY_COMPARE(split->expression()->name(), u"New Expression"_s);
            app.action(u"deleteExpressionAction"_s)->trigger();
            QCOMPARE(alerts.size(), 1);
            alerts.first()->buttons().first()->click();
            QTRY_COMPARE(library->libraryStoreController()->expressions().size(), 2);
            app.mainWindowController()->close();
        }
        QCOMPARE(fileNames(libraryPath()), (QStringList {u"Dates"_s, u"First Expression"_s}));

        // The next start finds everything as it was left, the window's panels included.
        AppDelegate again(libraryPath());
        again.applicationDidFinishLaunching();
        QVERIFY(again.mainSplitViewController()->isLibraryVisible());
        QCOMPARE(again.mainSplitViewController()->expression()->name(), u"Dates"_s);
        QCOMPARE(again.viewController()->outputTextView()->text(), u"from 2024-05 to 2025-01"_s);
        QCOMPARE(again.viewController()->inputTextView()->text(), u"(\\d{4})-(\\d\\d)"_s);
    }

    void panelsFollowSettingsAndCommands()
    {
        UserDefaults::standard().setValue(UserDefaultsKey::showRightPanel, true);
        AppDelegate app(libraryPath());
        app.applicationDidFinishLaunching();
        QVERIFY(QTest::qWaitForWindowExposed(app.mainWindowController()));
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
        app.applicationDidFinishLaunching();
        MainWindowController *window = app.mainWindowController();
        QVERIFY(QTest::qWaitForWindowExposed(window));
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
        QCOMPARE(app.action(u"stopEvaluationAction"_s)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Period));
        app.action(u"stopEvaluationAction"_s)->trigger();
        QTRY_COMPARE(editor->warningLabel()->text(), u"Evaluation stopped."_s);

        // A new budget evaluates the same input again.
        app.showPreferences();
        QSpinBox *budget = nullptr;
        for (QWidget *window : QApplication::topLevelWidgets())
            budget = budget ? budget : window->findChild<QSpinBox *>(u"timeBudgetField"_s);
        QVERIFY(budget);
        QCOMPARE(budget->value(), 10);
        budget->setValue(1);
        QVERIFY(editor->isWarningLabelHidden());
        QTRY_COMPARE(editor->warningLabel()->text(), u"Stopped after 1 s (time budget). Change it in Preferences."_s);

        // Beside it, the backtrack stack limit: stored in bytes, shown in MB.
        auto *stackLimit = budget->window()->findChild<QSpinBox *>(u"backtrackStackLimitField"_s);
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
        app.highlightNextGroup();
        app.highlightPreviousGroup();
        app.goToPattern();
        app.copyEscaped();
        app.pasteUnescaped();
        app.stopEvaluation();
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
        QFile broken(libraryPath());
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(content);
        broken.close();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^The library file .* could not be read"_s));
        AppDelegate app(libraryPath());
        app.applicationDidFinishLaunching();
        auto *message = app.mainWindowController()->findChild<QMessageBox *>(u"recoveryMessage"_s);
        QVERIFY(message);
        const QString keptCopy = app.mainSplitViewController()
                                     ->libraryViewController()
                                     ->libraryStoreController()
                                     ->recovery()
                                     ->keptCopyPath;
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
        app.applicationDidFinishLaunching();
        QPointer<MainWindowController> window = app.mainWindowController();
        QVERIFY(QTest::qWaitForWindowExposed(window));
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
        QCOMPARE(questions.first()->escapeButton()->text(), u"Cancel"_s);
        questions.first()->escapeButton()->click();
        QVERIFY(window && window->isVisible());
        QCOMPARE(text->text(), u"kept in memory"_s);

        QVERIFY(blockFolder(false));
        QTest::ignoreMessage(QtInfoMsg, QRegularExpression(u"saved again"_s));
        notice->retryButton()->click();
        QVERIFY(notice->isHidden());
        QCOMPARE(fileContent(path).at(0)[u"text"_s], u"kept in memory"_s);

        // A later edit that succeeds clears the notice too; then closing the window discards only after asking.
        QVERIFY(blockFolder(true));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"could not be saved"_s));
        replaceText(text, u"lost"_s);
        QTRY_VERIFY(notice->isVisible());
        QVERIFY(blockFolder(false));
        QTest::ignoreMessage(QtInfoMsg, QRegularExpression(u"saved again"_s));
        replaceText(text, u"saved"_s);
        QTRY_VERIFY(notice->isHidden());
        QVERIFY(blockFolder(true));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"could not be saved"_s));
        replaceText(text, u"discarded"_s);
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
        app.applicationDidFinishLaunching();
        QPointer<MainWindowController> window = app.mainWindowController();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QList<QPointer<QMessageBox>> questions;
        window->setAlertPresenter([&questions](QMessageBox *box) { questions.append(box); });
        QCOMPARE(app.mainSplitViewController()->expression()->name(), u"Kept"_s);
        QVERIFY(window->saveNotice()->isVisible());
        QVERIFY2(window->saveNotice()->messageLabel()->text().contains(
                     u"(its folder cannot be locked against a second Quorvale: Not a directory)"_s),
                 qPrintable(window->saveNotice()->messageLabel()->text()));
        app.quit();
        QTRY_VERIFY(!window);
        QVERIFY(questions.isEmpty());
        QVERIFY(QFile::remove(blocker));
    }

    void copiesThePatternAsCodeWithTheSwitchesThatAreOn()
    {
        AppDelegate app(libraryPath());
        app.applicationDidFinishLaunching();
        QVERIFY(QTest::qWaitForWindowExposed(app.mainWindowController()));
        replaceText(app.viewController()->inputTextView(), u"\"\\d+\" costs $"_s);
        app.action(u"caseInsensitiveAction"_s)->trigger();
        app.action(u"copyAsKotlinAction"_s)->trigger();
        const QString code = QApplication::clipboard()->text();
        QVERIFY2(code.contains(u"Regex(\"\\\"\\\\d+\\\" costs \\$\", RegexOption.IGNORE_CASE)"_s), qPrintable(code));
        app.action(u"copyEscapedAction"_s)->trigger();
        QCOMPARE(QApplication::clipboard()->text(), u"\"\\\\d+\" costs $"_s);
        app.mainWindowController()->close();
    }

    void inspectorAndSubstitutionFromTheMenus()
    {
        const QString template_ = u"[${word}]"_s;
        {
            AppDelegate app(libraryPath());
            app.applicationDidFinishLaunching();
            QVERIFY(QTest::qWaitForWindowExposed(app.mainWindowController()));
            ExpressionViewController *editor = app.viewController();
            QAction *showInspector = app.action(u"showMatchInspectorAction"_s);
            QAction *showSubstitution = app.action(u"showSubstitutionPreviewAction"_s);
            QVERIFY(editor->matchInspector()->isHidden());
            QVERIFY(editor->substitutionPanel()->isHidden());
            QVERIFY(!showInspector->isChecked());
            QVERIFY(!showSubstitution->isChecked());

            // Nothing to copy while no preview is computed.
            QApplication::clipboard()->setText(u"before"_s);
            app.action(u"copySubstitutionResultAction"_s)->trigger();
            QCOMPARE(QApplication::clipboard()->text(), u"before"_s);

            showInspector->trigger();
            showSubstitution->trigger();
            QVERIFY(editor->matchInspector()->isVisible());
            QVERIFY(editor->substitutionPanel()->isVisible());
            replaceText(editor->inputTextView(), u"(?<word>\\w+)"_s);
            replaceText(editor->outputTextView(), u"one two"_s);
            QTest::keyClicks(editor->substitutionPanel()->replacementField(), template_);
            QTRY_COMPARE(editor->substitutionPanel()->result(), std::optional(u"[one] [two]"_s));
            app.action(u"copySubstitutionResultAction"_s)->trigger();
            QCOMPARE(QApplication::clipboard()->text(), u"[one] [two]"_s);
            app.mainWindowController()->close();
        }
        QCOMPARE(fileContent(libraryPath()).at(0)[u"replacement"_s], template_);

        // The next start shows the panels as they were left.
        AppDelegate again(libraryPath());
        again.applicationDidFinishLaunching();
        ExpressionViewController *editor = again.viewController();
        QVERIFY(editor->matchInspector()->isVisible());
        QVERIFY(again.action(u"showSubstitutionPreviewAction"_s)->isChecked());
        QCOMPARE(editor->substitutionPanel()->replacementField()->text(), template_);
        QTRY_COMPARE(editor->matchInspector()->model()->rowCount(), 2);
        // Hidden, it lists nothing; shown again, the latest results.
        again.action(u"showMatchInspectorAction"_s)->trigger();
        QVERIFY(editor->matchInspector()->isHidden());
        QCOMPARE(UserDefaults::standard().value(MatchInspectorViewController::shownKey()).toBool(), false);
        QCOMPARE(editor->matchInspector()->model()->rowCount(), 0);
        replaceText(editor->outputTextView(), u"one two three"_s);
        QTRY_COMPARE(editor->outputTextViewController()->matches().count(), 3);
        QCOMPARE(editor->matchInspector()->model()->rowCount(), 0);
        again.action(u"showMatchInspectorAction"_s)->trigger();
        QCOMPARE(editor->matchInspector()->model()->rowCount(), 3);
    }

    // Always there, whatever the group: how many matches, how long the search took, the chosen group's name.
    void resultLineStatesTheOutcome()
    {
        AppDelegate app(libraryPath());
        app.applicationDidFinishLaunching();
        QVERIFY(QTest::qWaitForWindowExposed(app.mainWindowController()));
        ExpressionViewController *editor = app.viewController();
        QLabel *result = editor->statusRow()->resultLabel();
        QTRY_VERIFY(result->isVisible());
        QCOMPARE(result->text(), u"no matches found"_s);

        editor->outputTextView()->setText(u"from 2024-05 to 2025-01"_s);
        replaceText(editor->inputTextView(), u"(?<year>\\d{4})-(\\d\\d)"_s);
        QTRY_VERIFY2(result->text().startsWith(u"2 matches in "_s), qPrintable(result->text()));
        QVERIFY2(tookTime.match(result->text()).hasMatch(), qPrintable(result->text()));
        app.highlightNextGroup();
        QTRY_VERIFY2(result->text().endsWith(u"\u00A0ms \u00B7 group\u00A0\u201Cyear\u201D"_s),
                     qPrintable(result->text()));
        // The group line beside it is as it was.
        QTRY_VERIFY(!editor->isGroupBoxHidden());
        QCOMPARE(editor->highlightingGroupLabel()->text(), u"highlighting group 1 of 2 \u00B7 2 matches"_s);
        app.highlightNextGroup();
        QTRY_VERIFY2(result->text().endsWith(u"\u00A0ms"_s), qPrintable(result->text()));
        app.highlightPreviousGroup();
        app.highlightPreviousGroup();

        replaceText(editor->inputTextView(), u"2024"_s);
        QTRY_VERIFY2(result->text().startsWith(u"1 match in "_s), qPrintable(result->text()));
        replaceText(editor->inputTextView(), u"1999"_s);
        QTRY_VERIFY2(result->text().startsWith(u"no matches found in "_s), qPrintable(result->text()));
        QVERIFY(result->isVisible());

        // An error or a long run takes its place.
        replaceText(editor->inputTextView(), u"(a"_s);
        QTRY_VERIFY(!editor->isErrorLabelHidden());
        QVERIFY(result->isHidden());
        editor->outputTextView()->setText(QString(40, u'a') + u'b');
        replaceText(editor->inputTextView(), u"(a+)+$"_s);
        QTRY_VERIFY(!editor->isProcessingLabelHidden());
        QVERIFY2(editor->processingLabel()->text().startsWith(u"processing\u2026 "_s),
                 qPrintable(editor->processingLabel()->text()));
        QVERIFY(result->isHidden());
        QVERIFY(editor->stopEvaluation());
        QTRY_COMPARE(editor->warningLabel()->text(), u"Evaluation stopped."_s);
        QVERIFY(result->isHidden());
        replaceText(editor->inputTextView(), u"a+b"_s);
        QTRY_VERIFY2(result->text().startsWith(u"1 match in "_s), qPrintable(result->text()));
    }

    // At the first start's size with every panel open, the side panels give up width so that the line stays whole.
    void resultLineFitsBesideEveryPanel()
    {
        UserDefaults &defaults = UserDefaults::standard();
        for (const UserDefaultsKey key : {UserDefaultsKey::showLeftPanel, UserDefaultsKey::showRightPanel})
            defaults.setValue(key, true);
        defaults.setValue(MatchInspectorViewController::shownKey(), true);
        defaults.setValue(SubstitutionViewController::shownKey(), true);
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
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("off");
        QTest::addColumn<QString>("on");
        QTest::addRow("case insensitive")
            << int(UserDefaultsKey::caseInsensitive) << u"a"_s << u"A"_s << u"no matches found"_s << u"1 match"_s;
        QTest::addRow("anchors match lines")
            << int(UserDefaultsKey::multiline) << u"^b"_s << u"a\nb"_s << u"no matches found"_s << u"1 match"_s;
        QTest::addRow("comments and whitespace") << int(UserDefaultsKey::allowCommentsAndWhitespace) << u"a b"_s
                                                 << u"ab"_s << u"no matches found"_s << u"1 match"_s;
        QTest::addRow("dot matches line separators") << int(UserDefaultsKey::dotMatchesLineSeparators) << u"a.b"_s
                                                     << u"a\nb"_s << u"no matches found"_s << u"1 match"_s;
        QTest::addRow("Unicode word boundaries") << int(UserDefaultsKey::unicodeWordBoundaries) << u"\\b\\w"_s
                                                 << u"can't"_s << u"2 matches"_s << u"1 match"_s;
        QTest::addRow("Unix line separators only") << int(UserDefaultsKey::unixLineSeparators) << u"a.b"_s << u"a\rb"_s
                                                   << u"no matches found"_s << u"1 match"_s;
        QTest::addRow("pattern is literal text")
            << int(UserDefaultsKey::patternIsLiteral) << u"a.b"_s << u"axb a.b"_s << u"2 matches"_s << u"1 match"_s;
    }

    // The button above the pattern, the menu item and the Preferences' check box show and write the same setting,
    // and each change evaluates again at once.
    void matchingSwitchesAgreeEverywhere()
    {
        QFETCH(int, key);
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QFETCH(QString, off);
        QFETCH(QString, on);
        const QString name = keyString(UserDefaultsKey(key));
        AppDelegate app(libraryPath());
        app.applicationDidFinishLaunching();
        QVERIFY(QTest::qWaitForWindowExposed(app.mainWindowController()));
        app.showPreferences();
        QCheckBox *box = nullptr;
        for (QWidget *window : QApplication::topLevelWidgets())
            box = box ? box : window->findChild<QCheckBox *>(name + u"Switch"_s);
        QVERIFY(box);
        ExpressionViewController *editor = app.viewController();
        auto *button = editor->findChild<QToolButton *>(name + u"Toggle"_s);
        QVERIFY(button);
        QAction *action = app.action(name + u"Action"_s);
        QVERIFY(action);
        QVERIFY2(button->toolTip().startsWith(box->text() + u':'), qPrintable(button->toolTip()));
        QCOMPARE(QString(action->text()).remove(u'&').toLower(), box->text().toLower());
        QVERIFY(!action->shortcut().isEmpty());
        const auto agree = [&](bool expected) {
            return UserDefaults::standard().boolValue(UserDefaultsKey(key)) == expected
                && button->isChecked() == expected && action->isChecked() == expected && box->isChecked() == expected;
        };
        QVERIFY(agree(false));

        QLabel *result = editor->statusRow()->resultLabel();
        const auto shows = [result](const QString &count) { return result->text().startsWith(count + u" in "_s); };
        editor->outputTextView()->setText(text);
        replaceText(editor->inputTextView(), pattern);
        QTRY_VERIFY2(shows(off), qPrintable(result->text()));
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(agree(true));
        QTRY_VERIFY2(shows(on), qPrintable(result->text()));
        action->trigger();
        QVERIFY(agree(false));
        QTRY_VERIFY2(shows(off), qPrintable(result->text()));
        box->click();
        QVERIFY(agree(true));
        QTRY_VERIFY2(shows(on), qPrintable(result->text()));
        UserDefaults::standard().setValue(UserDefaultsKey(key), false);
        QVERIFY(agree(false));
        QTRY_VERIFY2(shows(off), qPrintable(result->text()));
    }

    void dividersAreBlackAtAFifth()
    {
        UserDefaults::standard().setValue(UserDefaultsKey::showLeftPanel, true);
        AppDelegate app(libraryPath());
        app.applicationDidFinishLaunching();
        QVERIFY(QTest::qWaitForWindowExposed(app.mainWindowController()));
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

    // With every panel open, each control a screen reader reaches has a name and a description.
    void everyControlIsNamed()
    {
        AppDelegate app(libraryPath());
        launchWithEveryPanel(app);
        QVERIFY(QTest::qWaitForWindowExposed(app.mainWindowController()));
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
                nameless.append(object ? QString::fromLatin1(object->metaObject()->className()) + u' '
                                        + object->objectName() + u" in "_s
                                        + QString::fromLatin1(object->parent()->metaObject()->className()) + u' '
                                        + object->parent()->objectName()
                                       : u"?"_s);
            }
            for (int i = 0; i < node->childCount(); ++i)
                walk(node->child(i));
        };
        app.action(u"preferencesAction"_s)->trigger();
        const QWidgetList windows = QApplication::topLevelWidgets();
        QTRY_VERIFY(std::count_if(windows.cbegin(), windows.cend(), [](QWidget *w) { return w->isVisible(); }) >= 2);
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->isVisible())
                walk(QAccessible::queryAccessibleInterface(window));
        }
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(u'\n')));
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
    const QRegularExpression tookTime {u" in (<\u00A00\\.1|\\d+|\\d\\.\\d)\u00A0ms( \u00B7 |$)"_s};

    QTemporaryDir m_folder;
    QString libraryPath() const { return m_folder.filePath(u"expressions.json"_s); }
};

QTEST_MAIN(tst_MainWindow)
#include "tst_MainWindow.moc"
