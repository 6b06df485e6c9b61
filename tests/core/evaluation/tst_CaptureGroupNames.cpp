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
        QTest::addRow("lookbehinds are not names") << u"(?<=a)(?<!b)(?<c>c)"_s << 0 << u"|c"_s;
        QTest::addRow("opener inside a class") << u"[(?<x>](?<y>b)"_s << 0 << u"|y"_s;
        QTest::addRow("opener quoted") << u"\\Q(?<q>\\E(?<r>a)"_s << 0 << u"|r"_s;
        QTest::addRow("opener in a comment")
            << u"#(?<c>\n(?<d>e)"_s << int(allowCommentsAndWhitespaceOption) << u"|d"_s;
        QTest::addRow("name spelt with free spacing")
            << u"(? < n a >a)"_s << int(allowCommentsAndWhitespaceOption) << u"|na"_s;
        QTest::addRow("name also in a comment")
            << u"(a)(?<n>b) # (?<n>"_s << int(allowCommentsAndWhitespaceOption) << u"||n"_s;
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
