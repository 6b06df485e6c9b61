#include "core/pattern/PatternEscaping.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_PatternEscaping final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void conversions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("copied");
        QTest::addColumn<QString>("pasted");
        QTest::addRow("single backslashes") << uR"(\d+\.\d+)"_s << uR"(\\d+\\.\\d+)"_s << uR"(\d+\.\d+)"_s;
        QTest::addRow("doubled backslash") << uR"(\\d+)"_s << uR"(\\\\d+)"_s << uR"(\d+)"_s;
        QTest::addRow("three backslashes") << uR"(\\\)"_s << uR"(\\\\\\)"_s << uR"(\\)"_s;
        QTest::addRow("quotation mark and line break untouched")
            << u"\"\\\\n\n"_s << u"\"\\\\\\\\n\n"_s << u"\"\\n\n"_s;
        QTest::addRow("empty") << QString() << QString() << QString();
    }

    // Pasting what was copied always gives the pattern back.
    void conversions()
    {
        QFETCH(QString, text);
        QTEST(PatternEscaping::escapedForCopy(text), "copied");
        QTEST(PatternEscaping::unescapedForPaste(text), "pasted");
        QCOMPARE(PatternEscaping::unescapedForPaste(PatternEscaping::escapedForCopy(text)), text);
    }
};

QTEST_GUILESS_MAIN(tst_PatternEscaping)
#include "tst_PatternEscaping.moc"
