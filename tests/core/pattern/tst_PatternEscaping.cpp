#include "core/pattern/PatternEscaping.h"

#include "ExpectedOutput.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_PatternEscaping final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The cases are the file's quoted lines; under each, the text as copied and as pasted. Pasting what was copied
    // always gives the pattern back.
    void conversions()
    {
        static const QRegularExpression header(u"^\"(.*)\"$"_s);
        const int cases = compareCasesWithExpectedOutput(
            u"escaping.txt"_s, header, [](const QRegularExpressionMatch &match, QString &out) {
                const QString text = fromVisible(match.captured(1));
                const QString copied = PatternEscaping::escapedForCopy(text);
                out += u"  copied \"%1\"\n  pasted \"%2\"\n"_s.arg(visible(copied),
                                                                   visible(PatternEscaping::unescapedForPaste(text)));
                QCOMPARE(PatternEscaping::unescapedForPaste(copied), text);
            });
        QVERIFY(cases > 4);
    }
};

QTEST_GUILESS_MAIN(tst_PatternEscaping)
#include "tst_PatternEscaping.moc"
