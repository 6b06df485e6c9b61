#include "core/library/ExpressionListModel.h"
#include "core/library/LibraryStoreController.h"
#include "core/settings/Appearance.h"
#include "core/settings/AppearanceController.h"
#include "core/settings/UserDefaults.h"
#include "gui/library/LibraryTableRowView.h"
#include "gui/library/LibraryTableView.h"
#include "gui/library/LibraryViewController.h"
#include "gui/widgets/ApplicationPalette.h"

#include "LibraryTestSupport.h"
#include "TestSettings.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QJsonArray>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

using namespace Qt::StringLiterals;

namespace {

struct Fixture
{
    explicit Fixture(const QString &path, const QStringList &library = {u"A"_s, u"B"_s, u"C"_s})
        : path(path)
    {
        writeLibrary(path, library);
        controller = std::make_unique<LibraryViewController>(path);
        model = controller->expressionsModel();
        view = controller->tableView();
        tester
            = std::make_unique<QAbstractItemModelTester>(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        shownTester = std::make_unique<QAbstractItemModelTester>(
            view->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        controller->setAlertPresenter([this](QMessageBox *box) { alerts.append(box); });
        controller->resize(240, 300);
        controller->show();
    }

    QStringList names() const { return ::names(controller->libraryStoreController()->expressions()); }
    QStringList savedNames() const
    {
        controller->libraryStoreController()->waitForSaves();
        return fileNames(path);
    }
    Expression *at(int row) const { return model->expressionAt(row).get(); }
    // Empty while nothing is selected, which no expression's name is.
    QString selectedName() const
    {
        return controller->selectedExpression() ? controller->selectedExpression()->name() : QString();
    }
    // Rows as the list shows them.
    QModelIndex shown(int row) const { return view->model()->index(row, 0); }
    QStringList shownNames() const
    {
        QStringList result;
        for (int row = 0; row < view->model()->rowCount(); ++row)
            result.append(shown(row).data().toString());
        return result;
    }
    void select(int row) const
    {
        view->selectionModel()->setCurrentIndex(shown(row), QItemSelectionModel::ClearAndSelect);
    }
    QLineEdit *editor(int row) const { return qobject_cast<QLineEdit *>(view->indexWidget(shown(row))); }

    QString path;
    std::unique_ptr<LibraryViewController> controller;
    ExpressionListModel *model;
    LibraryTableView *view;
    std::unique_ptr<QAbstractItemModelTester> tester;
    std::unique_ptr<QAbstractItemModelTester> shownTester;
    QList<QPointer<QMessageBox>> alerts;
};

QStringList words(const QString &text)
{
    return text.split(u' ');
}

// Lets the rename after adding run: a timer started after it with a longer interval fires after it.
void waitPastRenameDelay()
{
    QTimer after;
    after.setSingleShot(true);
    QSignalSpy fired(&after, &QTimer::timeout);
    after.start(2 * LibraryViewController::renameAfterAddingDelay);
    QVERIFY(fired.wait());
}

} // namespace

class tst_LibraryViewController final : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(u"expressions.json"_s); }

private Q_SLOTS:
    void init()
    {
        startClean();
        QFile::remove(path());
    }

    void addingSelectsTheNewExpressionAndOpensItsName_data()
    {
        QTest::addColumn<QString>("meanwhile");
        QTest::addRow("renames the new row") << QString();
        QTest::addRow("renames the new row after the selection moved") << u"select first"_s;
        QTest::addRow("renames nothing when the new row is gone") << u"delete new"_s;
    }

    void addingSelectsTheNewExpressionAndOpensItsName()
    {
        QFETCH(QString, meanwhile);
        Fixture f(path());
        QSignalSpy selected(f.controller.get(), &LibraryViewController::selectedExpressionChanged);

        f.controller->addExpression();
        QCOMPARE(f.names(), QStringList({u"A"_s, u"B"_s, u"C"_s, u"New Expression"_s}));
        QCOMPARE(f.savedNames(), f.names());
        QCOMPARE(f.controller->selectedExpression(), f.at(3));
        QCOMPARE(selected.size(), 1);
        QVERIFY(!f.editor(3));

        if (meanwhile == u"select first"_s)
            f.select(0);
        else if (meanwhile == u"delete new"_s)
            QVERIFY(f.model->removeRows(3, 1));
        waitPastRenameDelay();

        if (meanwhile == u"delete new"_s) {
            QVERIFY(!f.view->findChild<QLineEdit *>());
            return;
        }
        QLineEdit *editor = f.editor(3);
        QVERIFY(editor);
        QCOMPARE(editor->selectedText(), u"New Expression"_s);
        QCOMPARE(f.view->findChildren<QLineEdit *>().size(), 1);
        QTest::keyClicks(editor, u"Digits"_s);
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate commits on Return in a queued call.
        QTRY_COMPARE(f.at(3)->name(), u"Digits"_s);
        QCOMPARE(f.savedNames().last(), u"Digits"_s);
    }

    void deletingAsksFirst_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<int>("selectMeanwhile");
        QTest::addColumn<QStringList>("remaining");
        QTest::addColumn<QString>("selectedAfter");
        QTest::addRow("no keeps everything") << Qt::Key_Delete << false << -1 << words(u"A B C"_s) << u"B"_s;
        QTest::addRow("yes removes it and selects the next")
            << Qt::Key_Backspace << true << -1 << words(u"A C"_s) << u"C"_s;
        QTest::addRow("yes removes the expression asked about after the selection moved")
            << Qt::Key_Delete << true << 0 << words(u"A C"_s) << u"A"_s;
    }

    void deletingAsksFirst()
    {
        QFETCH(Qt::Key, key);
        QFETCH(bool, yes);
        QFETCH(int, selectMeanwhile);
        QFETCH(QStringList, remaining);
        QFETCH(QString, selectedAfter);
        Fixture f(path());
        // A background save still running must not land over the list change.
        f.at(0)->setPattern(u"a"_s);
        f.select(1);
        f.view->setFocus();

        QTest::keyClick(f.view, key);
        QCOMPARE(f.alerts.size(), 1);
        QMessageBox *alert = f.alerts.constFirst();
        QVERIFY(alert);
        QCOMPARE(alert->text(), u"Are you sure you want to delete \"B\" expression?"_s);
        const QList<QAbstractButton *> buttons = alert->buttons();
        QCOMPARE(buttons.size(), 2);

        if (selectMeanwhile >= 0)
            f.select(selectMeanwhile);
        buttons.at(yes ? 0 : 1)->click();
        QCOMPARE(f.names(), remaining);
        QCOMPARE(f.savedNames(), remaining);
        QCOMPARE(f.selectedName(), selectedAfter);
    }

    void deletingWithoutSelectionAsksNothing()
    {
        Fixture f(path());
        f.view->selectionModel()->clearSelection();
        QVERIFY(!f.controller->selectedExpression());
        f.controller->deleteSelectedExpression();
        QTest::keyClick(f.view, Qt::Key_Delete);
        QVERIFY(f.alerts.isEmpty());
        QCOMPARE(f.names().size(), 3);
    }

    void dropsBetweenRowsMove_data()
    {
        QTest::addColumn<int>("dragged");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("ontoRow");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("order");
        const QString own = u"own"_s;
        QTest::addRow("first above third") << 0 << 2 << -1 << own << words(u"B A C"_s);
        QTest::addRow("third above first") << 2 << 0 << -1 << own << words(u"C A B"_s);
        QTest::addRow("second above itself is refused") << 1 << 1 << -1 << own << QStringList();
        QTest::addRow("onto a row is refused") << 0 << -1 << 2 << own << QStringList();
        QTest::addRow("first above second keeps the order") << 0 << 1 << -1 << own << words(u"A B C"_s);
        QTest::addRow("first below the last row") << 0 << 3 << -1 << own << words(u"B C A"_s);
        QTest::addRow("first onto the space below the rows") << 0 << -1 << -1 << own << words(u"B C A"_s);
        QTest::addRow("our type from elsewhere is refused") << 0 << 2 << -1 << u"elsewhere"_s << QStringList();
        QTest::addRow("a copy is refused") << 0 << 2 << -1 << u"copy"_s << QStringList();
    }

    void dropsBetweenRowsMove()
    {
        QFETCH(int, dragged);
        QFETCH(int, row);
        QFETCH(int, ontoRow);
        QFETCH(QString, source);
        QFETCH(QStringList, order);
        const QStringList unchanged = words(u"A B C"_s);
        const bool accepted = !order.isEmpty();
        Fixture f(path());
        QSignalSpy moved(f.model, &QAbstractItemModel::rowsMoved);
        QSignalSpy reset(f.model, &QAbstractItemModel::modelReset);

        const std::unique_ptr<QMimeData> own(f.model->mimeData({f.model->index(dragged)}));
        QCOMPARE(own->data(ExpressionListModel::expressionItemDraggingType()), QByteArray::number(dragged));
        QMimeData foreign;
        foreign.setData(ExpressionListModel::expressionItemDraggingType(), QByteArray::number(dragged));
        const QMimeData *data = source == u"elsewhere"_s ? &foreign : own.get();
        const Qt::DropAction action = source == u"copy"_s ? Qt::CopyAction : Qt::MoveAction;
        const QModelIndex parent = ontoRow < 0 ? QModelIndex() : f.model->index(ontoRow);
        QCOMPARE(f.model->canDropMimeData(data, action, row, 0, parent), accepted);
        QCOMPARE(f.model->dropMimeData(data, action, row, 0, parent), accepted);
        // Through the library, which saves the move.
        QCOMPARE(f.names(), accepted ? order : unchanged);
        QCOMPARE(moved.size(), accepted && order != unchanged ? 1 : 0);
        QCOMPARE(reset.size(), 0);
    }

    // As F2 does, which is Qt's.
    void returnRenamesTheCurrentRow()
    {
        Fixture f(path());
        f.select(2);
        QTest::keyClick(f.view, Qt::Key_Return);
        QVERIFY(f.editor(2));
        QCOMPARE(f.editor(2)->text(), u"C"_s);
    }

    void selectionPublishesOneExpression()
    {
        Fixture f(path());
        QCOMPARE(f.controller->selectedExpression(), f.at(0));
        QSignalSpy changed(f.controller.get(), &LibraryViewController::selectedExpressionChanged);

        QTest::keyClick(f.view, Qt::Key_Down);
        QCOMPARE(f.controller->selectedExpression(), f.at(1));
        f.view->selectionModel()->select(f.shown(2), QItemSelectionModel::Select);
        QCOMPARE(f.controller->selectedExpression(), nullptr);
        f.select(2);
        QCOMPARE(f.controller->selectedExpression(), f.at(2));
        QCOMPARE(changed.size(), 3);
        QCOMPARE(changed.last().at(0).value<Expression *>(), f.at(2));
    }

    void modelFollowsTheLibrary()
    {
        Fixture f(path());
        QSignalSpy dataChanged(f.model, &QAbstractItemModel::dataChanged);
        f.at(1)->setName(u"Renamed"_s);
        QCOMPARE(dataChanged.size(), 1);
        QCOMPARE(dataChanged.at(0).at(0).toModelIndex(), f.model->index(1));
        QCOMPARE(f.model->index(1).data().toString(), u"Renamed"_s);

        QVERIFY(f.model->setData(f.model->index(2), u"Edited"_s));
        QCOMPARE(f.savedNames(), words(u"A Renamed Edited"_s));
        QVERIFY(f.model->undoStack()->canUndo());

        // A replacement from elsewhere, which the history cannot undo; the dropped expression no longer reaches the
        // model.
        const std::shared_ptr<Expression> dropped = f.model->expressionAt(0);
        f.controller->libraryStoreController()->setExpressions({f.model->expressionAt(2)});
        QVERIFY(!f.model->undoStack()->canUndo());
        QCOMPARE(f.model->rowCount(), 1);
        QCOMPARE(f.model->index(0).data().toString(), u"Edited"_s);
        dataChanged.clear();
        dropped->setName(u"Gone"_s);
        QCOMPARE(dataChanged.size(), 0);
        QVERIFY(!f.model->removeRows(1, 1));
    }

    void eachChangeIsUndoneAndRedone_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("changed");
        QTest::addColumn<QString>("selectedAfterUndo");
        QTest::addRow("add") << u"add"_s << QStringList {u"A"_s, u"B"_s, u"C"_s, u"New Expression"_s} << u"C"_s;
        QTest::addRow("rename") << u"rename"_s << words(u"A Digits C"_s) << u"A"_s;
        QTest::addRow("reorder") << u"reorder"_s << words(u"B C A"_s) << u"A"_s;
        QTest::addRow("delete brings back the expression itself") << u"delete"_s << words(u"A C"_s) << u"B"_s;
    }

    void eachChangeIsUndoneAndRedone()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, changed);
        QFETCH(QString, selectedAfterUndo);
        Fixture f(path());
        const QJsonArray original = fileContent(path());
        const std::shared_ptr<Expression> second = f.model->expressionAt(1);
        QUndoStack *history = f.model->undoStack();
        QVERIFY(!history->canUndo());

        if (change == u"add"_s) {
            f.controller->addExpression();
        } else if (change == u"rename"_s) {
            QVERIFY(f.model->setData(f.model->index(1), u"Digits"_s));
        } else if (change == u"reorder"_s) {
            const std::unique_ptr<QMimeData> dragged(f.model->mimeData({f.model->index(0)}));
            QVERIFY(f.model->dropMimeData(dragged.get(), Qt::MoveAction, 3, 0, {}));
        } else {
            f.select(1);
            f.controller->deleteSelectedExpression();
            QCOMPARE(f.alerts.size(), 1);
            f.alerts.first()->buttons().constFirst()->click();
        }
        QCOMPARE(f.savedNames(), changed);
        QCOMPARE(history->count(), 1);

        f.controller->undo();
        QCOMPARE(f.names(), words(u"A B C"_s));
        f.controller->libraryStoreController()->waitForSaves();
        QCOMPARE(fileContent(path()), original);
        QCOMPARE(f.model->expressionAt(1), second);
        QCOMPARE(f.selectedName(), selectedAfterUndo);
        QVERIFY(!history->canUndo());

        f.controller->redo();
        QCOMPARE(f.savedNames(), changed);
        QVERIFY(!history->canRedo());
    }

    // Filtered by "AP", the list shows Apple, Grape and Apricot; Banana and Cherry are hidden.
    void changesOnAFilteredListLeaveHiddenRowsAlone_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("gap");
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("shown");
        QTest::addRow("a renamed row stays")
            << u"rename"_s << 1 << -1 << u"Apple Banana Raisin Cherry Apricot"_s << u"Apple Raisin Apricot"_s;
        QTest::addRow("delete selects the next shown row")
            << u"delete"_s << 1 << -1 << u"Apple Banana Cherry Apricot"_s << u"Apple Apricot"_s;
        QTest::addRow("first dragged below the last")
            << u"drag"_s << 0 << 3 << u"Banana Grape Cherry Apricot Apple"_s << u"Grape Apricot Apple"_s;
        QTest::addRow("last dragged above the first")
            << u"drag"_s << 2 << 0 << u"Apricot Apple Banana Grape Cherry"_s << u"Apricot Apple Grape"_s;
        QTest::addRow("dragged lands right after the shown row above")
            << u"drag"_s << 2 << 1 << u"Apple Apricot Banana Grape Cherry"_s << u"Apple Apricot Grape"_s;
        QTest::addRow("dragged just below itself stays")
            << u"drag"_s << 1 << 2 << u"Apple Banana Grape Cherry Apricot"_s << u"Apple Grape Apricot"_s;
    }

    void changesOnAFilteredListLeaveHiddenRowsAlone()
    {
        QFETCH(QString, change);
        QFETCH(int, row);
        QFETCH(int, gap);
        QFETCH(QString, saved);
        QFETCH(QString, shown);
        const QStringList library = words(u"Apple Banana Grape Cherry Apricot"_s);
        Fixture f(path(), library);
        QTest::keyClicks(f.controller->filterField(), u"AP"_s);
        QCOMPARE(f.shownNames(), words(u"Apple Grape Apricot"_s));

        if (change == u"rename"_s) {
            QVERIFY(f.view->model()->setData(f.shown(row), u"Raisin"_s));
        } else if (change == u"delete"_s) {
            f.select(row);
            f.controller->deleteSelectedExpression();
            f.alerts.first()->buttons().constFirst()->click();
            QCOMPARE(f.selectedName(), u"Apricot"_s);
        } else {
            const std::unique_ptr<QMimeData> dragged(f.view->model()->mimeData({f.shown(row)}));
            QVERIFY(!f.view->model()->canDropMimeData(dragged.get(), Qt::MoveAction, row, 0, {}));
            QVERIFY(f.view->model()->dropMimeData(dragged.get(), Qt::MoveAction, gap, 0, {}));
        }
        QCOMPARE(f.savedNames(), words(saved));
        QCOMPARE(f.shownNames(), words(shown));
        f.controller->undo();
        QCOMPARE(f.savedNames(), library);
        QTest::keyClick(f.controller->filterField(), Qt::Key_Escape);
        QCOMPARE(f.shownNames(), library);
    }

    void filterKeepsAnExpressionSelected()
    {
        Fixture f(path(), words(u"Banana Apple Cherry"_s));
        QLineEdit *filter = f.controller->filterField();
        QTest::keyClicks(filter, u"che"_s);
        QCOMPARE(f.selectedName(), u"Cherry"_s);
        QTest::keyClicks(filter, u"x"_s);
        QVERIFY(!f.controller->selectedExpression());
        // Back where the user was before filtering.
        QTest::keyClick(filter, Qt::Key_Escape);
        QCOMPARE(f.shownNames().size(), 3);
        QCOMPARE(f.selectedName(), u"Banana"_s);
        // A new expression the filter would hide clears it.
        QTest::keyClicks(filter, u"apple"_s);
        f.controller->addExpression();
        QVERIFY(filter->text().isEmpty());
        QCOMPARE(f.selectedName(), u"New Expression"_s);
    }

    void importAddsAWholeFileAsOneStep_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::addRow("a good file, one name taken")
            << R"([{"name": "B", "pattern": "b", "text": "", "newer": [1]}, {"name": "D", "pattern": "d", "text": ""}])"_ba
            << u"Imported 2 expressions from %1. One was renamed, as the library already had its name."_s;
        // Why the library's reader refuses a file is the check command's and the recovery's to show.
        const QString failed = u"No expressions were imported from %1: "_s;
        QTest::addRow("an entry without its text")
            << R"([{"name": "D", "pattern": "d", "text": ""}, {"name": "E", "pattern": "e"}])"_ba
            << failed + u"it has 1 of 2 entries that cannot be read (entry 2 has"_s;
        QTest::addRow("no expressions") << "[]"_ba << failed + u"it holds no expressions"_s;
    }

    void importAddsAWholeFileAsOneStep()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        const QString file = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(writeFile(file, content));
        Fixture f(path());

        f.controller->importExpressions(file);
        QVERIFY2(f.alerts.first()->text().startsWith(message.arg(file)), qPrintable(f.alerts.first()->text()));
        const bool good = message.startsWith(u"Imported"_s);
        QCOMPARE(f.savedNames(), good ? QStringList({u"A"_s, u"B"_s, u"C"_s, u"B 2"_s, u"D"_s}) : words(u"A B C"_s));
        QCOMPARE(f.model->undoStack()->count(), good ? 1 : 0);
        if (!good)
            return;
        QCOMPARE(fileContent(path()).at(3)[u"newer"_s], QJsonValue(QJsonArray {1}));
        QCOMPARE(f.selectedName(), u"B 2"_s);
        f.controller->undo();
        QCOMPARE(f.savedNames(), words(u"A B C"_s));
    }

    void exportWritesTheSelectionOrSaysWhyNot()
    {
        Fixture f(path());
        f.select(2);
        f.view->selectionModel()->select(f.shown(0), QItemSelectionModel::Select);
        const QString exported = m_dir.filePath(u"exported.json"_s);
        QVERIFY(f.controller->exportSelectedExpressions(exported));
        const QJsonArray saved = fileContent(path());
        QCOMPARE(fileContent(exported), QJsonArray({saved.at(0), saved.at(2)}));

        const QString nowhere = m_dir.filePath(u"missing/exported.json"_s);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"could not be saved to .*missing"_s));
        QVERIFY(!f.controller->exportSelectedExpressions(nowhere));
        QCOMPARE(f.alerts.last()->objectName(), u"exportFailedMessage"_s);
        QVERIFY(f.alerts.last()->text().startsWith(u"The expressions could not be exported to %1: "_s.arg(nowhere)));
    }

    void selectionIsFilled_data()
    {
        QTest::addColumn<int>("appearanceMode");
        QTest::addRow("light") << 0;
        QTest::addRow("dark") << 1;
    }

    void selectionIsFilled()
    {
        QFETCH(int, appearanceMode);
        UserDefaults::standard().setValue(UserDefaultsKey::appearanceMode, appearanceMode);
        const auto appearance = AppearanceController::appearance(appearanceMode, SystemAppearance::light);
        ApplicationPalette::apply(*appearance);
        Fixture f(path());
        f.select(1);
        const QColor background = f.view->viewport()->palette().color(QPalette::Window);
        const QColor selection = appearance->librarySelectionColor().toQColor();
        const auto blend = [&](int front, int back) {
            return qRound(front * selection.alphaF() + back * (1.0 - selection.alphaF()));
        };
        const auto pixel = [&f](int y) {
            return f.view->viewport()->grab().toImage().pixelColor(f.view->viewport()->width() - 4, y);
        };
        const auto filled = [&](const QColor &color) {
            return qAbs(color.red() - blend(selection.red(), background.red())) <= 1
                && qAbs(color.blue() - blend(selection.blue(), background.blue())) <= 1;
        };
        QTRY_VERIFY2(filled(pixel(LibraryTableRowView::rowHeight * 3 / 2)),
                     qPrintable(pixel(LibraryTableRowView::rowHeight * 3 / 2).name()));
        QCOMPARE(pixel(LibraryTableRowView::rowHeight / 2), background);
        QCOMPARE(f.view->palette().color(QPalette::Text), appearance->plainTextColor().toQColor());
    }
};

QTEST_MAIN(tst_LibraryViewController)

#include "tst_LibraryViewController.moc"
