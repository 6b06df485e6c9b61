#include "pattern/PatternEscaping.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_PatternEscaping final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void escapedForCopy_data();
    void escapedForCopy();
    void unescapedForPaste_data();
    void unescapedForPaste();
    void roundTrip_data();
    void roundTrip();
};

void tst_PatternEscaping::escapedForCopy_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("copied");

    QTest::addRow("backslashes doubled") << uR"(\d+\.\d+)"_s << uR"(\\d+\\.\\d+)"_s;
    QTest::addRow("no backslash") << u"[a-z]+"_s << u"[a-z]+"_s;
    QTest::addRow("empty pattern") << QString() << QString();
    QTest::addRow("quotes and line breaks untouched") << u"\"a\nb\""_s << u"\"a\nb\""_s;
}

void tst_PatternEscaping::escapedForCopy()
{
    QFETCH(QString, pattern);
    QFETCH(QString, copied);

    QCOMPARE(PatternEscaping::escapedForCopy(pattern), copied);
}

void tst_PatternEscaping::unescapedForPaste_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("pasted");

    QTest::addRow("doubled backslash halved") << uR"(\\d+)"_s << uR"(\d+)"_s;
    QTest::addRow("single backslash kept") << uR"(\d+)"_s << uR"(\d+)"_s;
    QTest::addRow("three backslashes give two") << uR"(\\\)"_s << uR"(\\)"_s;
    QTest::addRow("quotation mark unchanged") << uR"("\\n)"_s << uR"("\n)"_s;
}

void tst_PatternEscaping::unescapedForPaste()
{
    QFETCH(QString, clipboard);
    QFETCH(QString, pasted);

    QCOMPARE(PatternEscaping::unescapedForPaste(clipboard), pasted);
}

void tst_PatternEscaping::roundTrip_data()
{
    QTest::addColumn<QString>("pattern");

    QTest::addRow("escapes") << uR"(\(\d{2}\)\\)"_s;
    QTest::addRow("trailing backslash") << uR"(a\)"_s;
    QTest::addRow("run of backslashes") << uR"(\\\\\)"_s;
}

void tst_PatternEscaping::roundTrip()
{
    QFETCH(QString, pattern);

    QCOMPARE(PatternEscaping::unescapedForPaste(PatternEscaping::escapedForCopy(pattern)), pattern);
}

QTEST_GUILESS_MAIN(tst_PatternEscaping)
#include "tst_PatternEscaping.moc"
