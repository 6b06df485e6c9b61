// Writes the C++ snippet of every case in CodeSnippetCases.h into one source file, each in a namespace of its own,
// for tst_CodeSnippetIcu to compile against ICU and run.
#include "CodeSnippetCases.h"
#include "core/evaluation/CodeSnippetBuilder.h"

#include <QFile>
#include <QStringList>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    if (argc != 2)
        return 2;
    QStringList includes;
    QStringList definitions;
    QStringList printers;
    const QList<CodeSnippetCase> cases = codeSnippetCases();
    for (qsizetype i = 0; i < cases.size(); ++i) {
        QStringList body;
        const QString snippet
            = CodeSnippetBuilder::snippet(CodeSnippetBuilder::Language::cpp, cases[i].pattern, cases[i].options);
        // An include inside a namespace would declare the library in it.
        for (const QString &line : snippet.split(u'\n'))
            (line.startsWith(u"#include"_s) ? includes : body) << line;
        definitions << u"namespace snippet%1 {\n%2} // namespace snippet%1\n"_s.arg(i).arg(body.join(u'\n'));
        printers << u"snippet%1::printMatches"_s.arg(i);
    }
    includes.removeDuplicates();
    includes << u"#include <vector>"_s;
    const QString source = includes.join(u'\n') + u"\n\n"_s + definitions.join(u'\n')
        + u"\nstd::vector<void (*)(const icu::UnicodeString &)> snippetPrinters()\n{\n    return {%1};\n}\n"_s.arg(
            printers.join(u", "_s));
    QFile file(QString::fromLocal8Bit(argv[1]));
    const QByteArray bytes = source.toUtf8();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? 0 : 1;
}
