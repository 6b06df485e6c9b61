#include "CodeSnippetCases.h"
#include "EvaluationTestSupport.h"
#include "core/platform/IcuString.h"

#include <QTest>

#include <iostream>
#include <sstream>
#include <vector>

using namespace Qt::StringLiterals;

// Written by code_snippet_generator: the C++ snippet of each case, in their order.
std::vector<void (*)(const icu::UnicodeString &)> snippetPrinters();

// The C++ snippets compiled against ICU find what Quorvale's evaluation finds.
class tst_CodeSnippetIcu final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findsWhatTheEvaluationFinds_data()
    {
        QTest::addColumn<int>("index");
        QCOMPARE(snippetPrinters().size(), size_t(codeSnippetCases().size()));
        for (int i = 0; i < codeSnippetCases().size(); ++i)
            QTest::addRow("%s", codeSnippetCases()[i].name) << i;
    }

    void findsWhatTheEvaluationFinds()
    {
        QFETCH(int, index);
        const CodeSnippetCase snippetCase = codeSnippetCases()[index];
        const std::unique_ptr<RegularExpressionController> evaluation
            = evaluated(snippetCase.pattern, snippetCase.text, snippetCase.options);
        QString expected;
        for (qsizetype m = 0; m < evaluation->results().count(); ++m) {
            const TextRange range = evaluation->results().range(m, 0);
            expected += u"%1-%2\n"_s.arg(range.location).arg(range.location + range.length);
        }
        QVERIFY2(evaluation->results().count() > 1, "each case matches in more than one place");

        std::ostringstream printed;
        std::streambuf *const standardOutput = std::cout.rdbuf(printed.rdbuf());
        snippetPrinters()[index](IcuString::alias(snippetCase.text).value());
        std::cout.rdbuf(standardOutput);
        QCOMPARE(QString::fromStdString(printed.str()), expected);
    }
};

QTEST_GUILESS_MAIN(tst_CodeSnippetIcu)
#include "tst_CodeSnippetIcu.moc"
