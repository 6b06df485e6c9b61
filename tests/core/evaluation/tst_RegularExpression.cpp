#include "core/evaluation/RegularExpression.h"

#include "EvaluationTestSupport.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_RegularExpression : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void optionsReachTheEngine_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("options");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("matches");

        QTest::addRow("case counts by default") << u"abc"_s << 0 << u"ABC"_s << false;
        QTest::addRow("case insensitive") << u"abc"_s << int(caseInsensitiveOption) << u"ABC"_s << true;
        QTest::addRow("whitespace counts by default") << u"a b"_s << 0 << u"ab"_s << false;
        QTest::addRow("whitespace and comments ignored")
            << u"a b # note"_s << int(allowCommentsAndWhitespaceOption) << u"ab"_s << true;
        QTest::addRow("anchor at text start only by default") << u"^b"_s << 0 << u"a\nb"_s << false;
        QTest::addRow("anchor at line start") << u"^b"_s << int(anchorsMatchLinesOption) << u"a\nb"_s << true;
        QTest::addRow("dot stops at a line end by default") << u"a.b"_s << 0 << u"a\nb"_s << false;
        QTest::addRow("dot matches line separators")
            << u"a.b"_s << int(dotMatchesLineSeparatorsOption) << u"a\nb"_s << true;
        // Unicode's word rules keep an apostrophe between letters inside the word.
        QTest::addRow("simple word boundary at an apostrophe") << u"n\\b"_s << 0 << u"can't"_s << true;
        QTest::addRow("Unicode word boundaries")
            << u"n\\b"_s << int(unicodeWordBoundariesOption) << u"can't"_s << false;
        QTest::addRow("CR ends a line by default") << u"a.b"_s << 0 << u"a\rb"_s << false;
        QTest::addRow("only LF ends a line with Unix line separators")
            << u"a.b"_s << int(unixLineSeparatorsOption) << u"a\rb"_s << true;
        QTest::addRow("literal pattern: dot is no wildcard")
            << u"a.b"_s << int(patternIsLiteralOption) << u"axb"_s << false;
        QTest::addRow("literal pattern: parentheses are text")
            << u"(a)+"_s << int(patternIsLiteralOption) << u"x(a)+"_s << true;
        QTest::addRow("literal pattern keeps case insensitivity")
            << u"A.B"_s << int(patternIsLiteralOption | caseInsensitiveOption) << u"a.b"_s << true;
        QTest::addRow("all three together")
            << u"^B C # note"_s
            << int(caseInsensitiveOption | allowCommentsAndWhitespaceOption | anchorsMatchLinesOption) << u"a\nbc"_s
            << true;
    }

    void optionsReachTheEngine()
    {
        QFETCH(QString, pattern);
        QFETCH(int, options);
        QFETCH(QString, text);
        QTEST(evaluated(pattern, text, RegularExpressionOptions::fromInt(options))->results().count() > 0, "matches");
    }

    void invalidPattern_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("reason");

        const QString unclosed = u"a parenthesis is not closed"_s;
        const QString stray = u"unmatched closing parenthesis"_s;
        QTest::addRow("unclosed group") << u"("_s << u"U_REGEX_MISMATCHED_PAREN"_s << 1 << 1 << 0 << unclosed;
        QTest::addRow("unclosed group ending in a closed one")
            << u"((a)"_s << u"U_REGEX_MISMATCHED_PAREN"_s << 1 << 4 << 3 << unclosed;
        QTest::addRow("stray parenthesis") << u"ab)c"_s << u"U_REGEX_MISMATCHED_PAREN"_s << 1 << 3 << 2 << stray;
        QTest::addRow("stray parenthesis at the end")
            << u"a)"_s << u"U_REGEX_MISMATCHED_PAREN"_s << 1 << 2 << 1 << stray;
        QTest::addRow("bounds in wrong order") << u"a{2,1}"_s << u"U_REGEX_MAX_LT_MIN"_s << 1 << 6 << 5
                                               << u"in {min,max} the maximum is less than the minimum"_s;
        QTest::addRow("reversed class range") << u"[z-a]"_s << u"U_REGEX_INVALID_RANGE"_s << 1 << 4 << 3
                                              << u"a range in a character class runs backwards"_s;
        QTest::addRow("error on the second line")
            << u"ab\n(?<"_s << u"U_REGEX_RULE_SYNTAX"_s << 2 << 3 << 5 << u"this is not valid syntax here"_s;
        QTest::addRow("CR LF is one line break")
            << u"a\r\n)"_s << u"U_REGEX_MISMATCHED_PAREN"_s << 2 << 1 << 3 << stray;
        QTest::addRow("NEL breaks lines") << u"a\u0085)"_s << u"U_REGEX_MISMATCHED_PAREN"_s << 2 << 1 << 2 << stray;
        QTest::addRow("a paragraph separator does not")
            << u"ab\u2029)"_s << u"U_REGEX_MISMATCHED_PAREN"_s << 1 << 4 << 3 << stray;
        QTest::addRow("offset counts code points")
            << u"\U0001F600x)"_s << u"U_REGEX_MISMATCHED_PAREN"_s << 1 << 3 << 3 << stray;
        QTest::addRow("at the start of an empty last line")
            << u"(ab\n"_s << u"U_REGEX_MISMATCHED_PAREN"_s << 2 << 0 << 4 << unclosed;
        QTest::addRow("long pattern, not compiled again to tell which")
            << u"(("_s + QString(10000, u'a') + u")" << u"U_REGEX_MISMATCHED_PAREN"_s << 1 << 10003 << 10002
            << u"the parentheses do not pair up"_s;
        QTest::addRow("no place given") << u"a\\N{NO SUCH NAME}"_s << u"U_ILLEGAL_CHAR_FOUND"_s << 0 << 0 << -1
                                        << u"unknown character name"_s;
    }

    void invalidPattern()
    {
        QFETCH(QString, pattern);
        const RegularExpression::CompileResult compiled = RegularExpression::compile(pattern, {});
        QVERIFY(!compiled.isValid());
        QVERIFY(compiled.error);
        QTEST(compiled.error->message, "message");
        QTEST(compiled.error->line, "line");
        QTEST(int(compiled.error->offset), "offset");
        QTEST(int(compiled.error->position), "position");
        QTEST(compiled.error->reason, "reason");
    }
};

QTEST_GUILESS_MAIN(tst_RegularExpression)
#include "tst_RegularExpression.moc"
