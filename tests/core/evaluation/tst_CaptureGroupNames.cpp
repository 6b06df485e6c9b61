#include "core/evaluation/CaptureGroupNames.h"
#include "core/evaluation/RegularExpression.h"
#include "core/settings/UserDefaults.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_CaptureGroupNames final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void namesByGroupNumber_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("options");
        // One entry per group from 0, joined by "|".
        QTest::addColumn<QString>("names");
        QTest::addRow("no groups") << u"abc"_s << 0 << u""_s;
        QTest::addRow("numbered only") << u"(a)(b)"_s << 0 << u"||"_s;
        QTest::addRow("named between numbered") << u"(a)(?<year>\\d+)(b)(?<d0>c)"_s << 0 << u"||year||d0"_s;
        QTest::addRow("nested") << u"((?<inner>a)b)"_s << 0 << u"||inner"_s;
        // The syntax itself is the reader's, tested with CaptureGroupParser; here the switch comes from the pattern.
        QTest::addRow("name spelt with free spacing")
            << u"(? < n a >a)"_s << int(allowCommentsAndWhitespaceOption) << u"|na"_s;
    }

    void namesByGroupNumber()
    {
        QFETCH(QString, pattern);
        QFETCH(int, options);
        QFETCH(QString, names);
        const auto compiled = RegularExpression::compile(pattern, RegularExpressionOptions::fromInt(options)).pattern;
        QVERIFY(compiled);
        QCOMPARE(CaptureGroupNames::of(*compiled).join(u'|'), names);
    }
};

QTEST_GUILESS_MAIN(tst_CaptureGroupNames)
#include "tst_CaptureGroupNames.moc"
