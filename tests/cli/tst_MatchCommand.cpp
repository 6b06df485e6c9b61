#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Outcome
{
    QByteArray output;
    QByteArray errors;
    int status = -1;
};

// The built program, where no window system could be reached: a command must not need one.
Outcome quorvale(const QStringList &arguments, const QByteArray &input = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"DISPLAY"_s);
    environment.remove(u"WAYLAND_DISPLAY"_s);
    environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QUORVALE_EXECUTABLE), arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.readAllStandardOutput(), process.readAllStandardError(), process.exitCode()};
}

QByteArray json(const char *withSingleQuotes)
{
    return QByteArray(withSingleQuotes).replace('\'', '"');
}

} // namespace

class tst_MatchCommand final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // "FILE" in the arguments names a file that holds the input; otherwise it comes on standard input.
    void printsTheMatches_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<int>("status");
        QTest::addRow("a line per match")
            << QStringList {u"\\d+"_s} << "a1\nb22 c3"_ba
            << "(standard input):1:1\n(standard input):2:22\n(standard input):2:3\n"_ba << 0;
        QTest::addRow("CR LF kept; lines broken as the inspector breaks them")
            << QStringList {u"\\r\\n|c|d"_s, u"FILE"_s} << "a\r\nb\rc\u2028d"_ba
            << "FILE:1:\r\n\nFILE:3:c\nFILE:4:d\n"_ba << 0;
        QTest::addRow("tab, vertical tab and form feed break no line")
            << QStringList {u"b|c|d"_s} << "a\tb\vc\fd"_ba
            << "(standard input):1:b\n(standard input):1:c\n(standard input):1:d\n"_ba << 0;
        QTest::addRow("empty matches count") << QStringList {u"\\b"_s} << "ab"_ba
                                             << "(standard input):1:\n(standard input):1:\n"_ba << 0;
        QTest::addRow("nothing matched") << QStringList {u"z"_s} << "abc"_ba << QByteArray() << 1;
        QTest::addRow("case insensitive") << QStringList {u"-i"_s, u"é"_s} << "É"_ba
                                          << "(standard input):1:É\n"_ba << 0;
        QTest::addRow("anchors at lines") << QStringList {u"--multiline"_s, u"^b"_s} << "a\nb"_ba
                                          << "(standard input):2:b\n"_ba << 0;
        QTest::addRow("dot matches line breaks") << QStringList {u"--dotall"_s, u"a.b"_s} << "a\nb"_ba
                                                 << "(standard input):1:a\nb\n"_ba << 0;
        QTest::addRow("comments") << QStringList {u"-x"_s, u"a b # c"_s} << "ab"_ba
                                  << "(standard input):1:ab\n"_ba << 0;
        // JSON written with ' for ".
        QTest::addRow("offsets in both encodings, groups by number and name")
            << QStringList {u"--json"_s, u"(?<w>é)(x)?"_s} << "a\u00e9\U0001F600\u00e9"_ba
            << json("{'file':'(standard input)','groups':[{'name':'w','number':1,'text':'é','utf16':[1,2],"
                    "'utf8':[1,3]},null],'line':1,'text':'é','utf16':[1,2],'utf8':[1,3]}\n"
                    "{'file':'(standard input)','groups':[{'name':'w','number':1,'text':'é','utf16':[4,5],"
                    "'utf8':[7,9]},null],'line':1,'text':'é','utf16':[4,5],'utf8':[7,9]}\n")
            << 0;
        QTest::addRow("a byte-order mark is a character")
            << QStringList {u"--json"_s, u"x"_s} << "\xef\xbb\xbfx"_ba
            << json("{'file':'(standard input)','groups':[],'line':1,'text':'x','utf16':[1,2],'utf8':[3,4]}\n") << 0;
    }

    void printsTheMatches()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, output);
        QTemporaryDir folder;
        const QString path = folder.filePath(u"input.txt"_s);
        if (const qsizetype file = arguments.indexOf(u"FILE"_s); file >= 0) {
            QFile written(path);
            QVERIFY(written.open(QIODevice::WriteOnly) && written.write(input) == input.size() && written.flush());
            arguments[file] = path;
            output.replace("FILE", path.toUtf8());
            input.clear();
        }
        const Outcome outcome = quorvale(QStringList {u"match"_s} + arguments, input);
        QCOMPARE(outcome.output, output);
        QCOMPARE(outcome.errors, QByteArray());
        QTEST(outcome.status, "status");
    }

    void troubleIsTold_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("error");
        QTest::addRow("invalid pattern")
            << QStringList {u"(a"_s} << "a"_ba
            << "quorvale match: invalid pattern: a parenthesis is not closed (U_REGEX_MISMATCHED_PAREN) at line 1, "
               "column 2\n"_ba;
        QTest::addRow("missing file") << QStringList {u"a"_s, u"/nonexistent/x.txt"_s} << QByteArray()
                                      << "quorvale match: /nonexistent/x.txt: No such file or directory\n"_ba;
        QTest::addRow("not UTF-8") << QStringList {u"a"_s} << "a\xff"_ba
                                   << "quorvale match: (standard input): not UTF-8 text\n"_ba;
        QTest::addRow("no pattern") << QStringList() << QByteArray()
                                    << "quorvale match: a pattern is needed (quorvale match --help)\n"_ba;
        QTest::addRow("unknown option") << QStringList {u"--frobnicate"_s, u"a"_s} << QByteArray()
                                        << "quorvale match: Unknown option 'frobnicate'.\n"_ba;
    }

    void troubleIsTold()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        const Outcome outcome = quorvale(QStringList {u"match"_s} + arguments, input);
        QTEST(outcome.errors, "error");
        QCOMPARE(outcome.status, 2);
    }

    // The other files are still searched, and their matches printed, but the status tells of the trouble.
    void troubleWithOneFileOfMany()
    {
        const Outcome outcome = quorvale({u"match"_s, u"a"_s, u"/nonexistent"_s, u"-"_s}, "a"_ba);
        QCOMPARE(outcome.output, "(standard input):1:a\n"_ba);
        QCOMPARE(outcome.status, 2);
    }

    void helpAndVersion()
    {
        const Outcome version = quorvale({u"--version"_s});
        QCOMPARE(version.output, "Quorvale " QUORVALE_VERSION "\n"_ba);
        QCOMPARE(version.status, 0);
        const Outcome help = quorvale({u"--help"_s});
        QVERIFY2(help.output.contains("match PATTERN [FILE...]"), help.output.constData());
        const Outcome matchHelp = quorvale({u"match"_s, u"--help"_s});
        QVERIFY2(matchHelp.output.contains("--case-insensitive") && matchHelp.output.contains("--json"),
                 matchHelp.output.constData());
        QCOMPARE(matchHelp.status, 0);
    }
};

QTEST_GUILESS_MAIN(tst_MatchCommand)
#include "tst_MatchCommand.moc"
