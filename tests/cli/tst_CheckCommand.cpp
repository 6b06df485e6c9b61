#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray library(const char *expressions)
{
    return "["_ba + QByteArray(expressions).replace('\'', '"') + "]";
}

} // namespace

class tst_CheckCommand final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The library is written to a file named by the arguments' "FILE"; JSON is written with ' for ".
    void checksTheLibrary_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("library");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QByteArray>("errors");
        QTest::addColumn<int>("status");
        const QByteArray year = library("{'name': 'Year', 'pattern': '\\\\d{4}', 'text': '', 'tests': ["
                                        "{'input': 'in 2024', 'expect': 'match'},"
                                        "{'input': 'A2024', 'expect': 'matches', 'values': ['2024']}]},"
                                        "{'name': 'Untested', 'pattern': '(', 'text': ''}");
        QTest::addRow("all pass") << QStringList {u"FILE"_s} << year << "2 passed, 0 failed\n"_ba << QByteArray() << 0;
        QTest::addRow("a failing case names what it expected and found")
            << QStringList {u"FILE"_s}
            << library("{'name': 'Word', 'pattern': '[a-z]+', 'text': '', 'tests': ["
                       "{'input': 'ab', 'expect': 'wholeMatch'}, {'input': 'AB', 'expect': 'match'}]}")
            << "Word: test 2: expected a match, found no match\n1 passed, 1 failed\n"_ba << QByteArray() << 1;
        QTest::addRow("switches apply to every pattern")
            << QStringList {u"-i"_s, u"FILE"_s}
            << library("{'name': 'Word', 'pattern': '[a-z]+', 'text': '', 'tests': [{'input': 'AB', "
                       "'expect': 'wholeMatch'}]}")
            << "1 passed, 0 failed\n"_ba << QByteArray() << 0;
        QTest::addRow("invalid tested pattern")
            << QStringList {u"FILE"_s}
            << library("{'name': 'Open', 'pattern': 'a(', 'text': '', 'tests': [{'input': 'a', 'expect': 'match'}]}")
            << "0 passed, 0 failed\n"_ba
            << "quorvale check: Open: invalid pattern: a parenthesis is not closed (U_REGEX_MISMATCHED_PAREN)"_ba << 2;
        QTest::addRow("tests of a newer version")
            << QStringList {u"FILE"_s}
            << library("{'name': 'New', 'pattern': 'a', 'text': '', 'tests': [{'input': 'a', 'expect': 'soon'}]}")
            << "0 passed, 0 failed\n"_ba
            << "quorvale check: New: its tests were written in a form"_ba << 2;
        QTest::addRow("missing file") << QStringList {u"missing.json"_s} << QByteArray() << QByteArray()
                                      << "quorvale check: missing.json: No such file or directory"_ba << 2;
        QTest::addRow("not a library") << QStringList {u"FILE"_s} << "{}"_ba << QByteArray()
                                       << "quorvale check: FILE: not a library"_ba << 2;
    }

    void checksTheLibrary()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, library);
        QFETCH(QByteArray, output);
        QFETCH(QByteArray, errors);
        QFETCH(int, status);
        QTemporaryDir folder;
        QFile file(folder.filePath(u"library.json"_s));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(library) == library.size());
        file.close();
        arguments.replaceInStrings(u"FILE"_s, file.fileName());

        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // A command must not need a window system.
        environment.remove(u"DISPLAY"_s);
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(folder.path());
        process.start(QStringLiteral(QUORVALE_EXECUTABLE), QStringList {u"check"_s} + arguments);
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.readAllStandardOutput(), output);
        const QByteArray stderrText = process.readAllStandardError().replace(file.fileName().toUtf8(), "FILE");
        QVERIFY2(errors.isEmpty() ? stderrText.isEmpty() : stderrText.startsWith(errors), stderrText.constData());
        QCOMPARE(process.exitCode(), status);
    }
};

QTEST_GUILESS_MAIN(tst_CheckCommand)
#include "tst_CheckCommand.moc"
