#include "CodeSnippetCases.h"
#include "ExpectedOutput.h"
#include "core/evaluation/CodeSnippetBuilder.h"

#include <QTest>

using namespace Qt::StringLiterals;

using Language = CodeSnippetBuilder::Language;

class tst_CodeSnippetBuilder final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesEachCaseAsExpected_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("fileName");
        QTest::addRow("Swift") << Language::swift << u"code-snippets.swift.txt"_s;
        QTest::addRow("Objective-C") << Language::objectiveC << u"code-snippets.objc.txt"_s;
        QTest::addRow("C++ with ICU") << Language::cpp << u"code-snippets.cpp.txt"_s;
        QTest::addRow("Java") << Language::java << u"code-snippets.java.txt"_s;
        QTest::addRow("Kotlin") << Language::kotlin << u"code-snippets.kotlin.txt"_s;
        QTest::addRow("R with stringi") << Language::r << u"code-snippets.r.txt"_s;
        QTest::addRow("MySQL") << Language::mysql << u"code-snippets.mysql.txt"_s;
    }

    void writesEachCaseAsExpected()
    {
        QFETCH(Language, language);
        QFETCH(QString, fileName);
        QStringList lines;
        for (const CodeSnippetCase &snippetCase : codeSnippetCases()) {
            lines << u"---- "_s + QString::fromLatin1(snippetCase.name);
            for (const QString &line :
                 CodeSnippetBuilder::snippet(language, snippetCase.pattern, snippetCase.options).split(u'\n'))
                lines << visible(line);
        }
        compareWithExpectedOutput(lines.join(u'\n').toUtf8(), fileName);
    }
};

QTEST_GUILESS_MAIN(tst_CodeSnippetBuilder)
#include "tst_CodeSnippetBuilder.moc"
