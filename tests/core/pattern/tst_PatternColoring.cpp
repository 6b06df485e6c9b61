#include "core/pattern/PatternColoring.h"
#include "core/settings/LightAppearance.h"

#include "ColoredPattern.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Instrumented builds run five to ten times slower; fewer edits still reach every kind of piece.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr int editsPerPattern = 80;
#else
constexpr int editsPerPattern = 400;
#endif

// Checkpoints close together put the windows' edges among every kind of token, on patterns short enough to colour
// whole for the comparison after every edit.
constexpr qsizetype checkpointInterval = 24;

QString longPattern(const QString &piece)
{
    return piece.repeated(int(1500 / piece.size()) + 1);
}

QString describe(const QList<ColorSpan> &spans, qsizetype index)
{
    if (index >= spans.size())
        return u"none"_s;
    const ColorSpan &span = spans.at(index);
    return u"%1+%2 %3 on %4"_s.arg(span.range.location)
        .arg(span.range.length)
        .arg(span.foreground ? span.foreground->name() : u"-"_s, span.background ? span.background->name() : u"-"_s);
}

} // namespace

class tst_PatternColoring final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void editsColourAsAWholePassWould_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("freeSpacing");
        QTest::addColumn<qint64>("group");
        const QString mixed
            = uR"((\d{3})[-.](?<word>\w+)\s*(?:foo|ba[rz]){2,3}\\.\x{41}\p{L}[[:alpha:]]|(?#note)a*?)"_s;
        const QString quoting = uR"((a)\Q(b)[\E[c\]d](?i)e+\(f\)|\c[g(h)i]{12,345}\p{Greek}|)"_s;
        const QString spaced = u"(?x) a b # a (comment\n (c) [d#] \\Q#x\\E (?-x) g h #i\n"_s;
        for (const bool freeSpacing : {false, true}) {
            const char *spacing = freeSpacing ? ", free spacing" : "";
            QTest::addRow("mixed tokens%s", spacing) << longPattern(mixed) << freeSpacing << qint64(40);
            QTest::addRow("quoting and classes%s", spacing) << longPattern(quoting) << freeSpacing << qint64(3);
            QTest::addRow("free-spacing scopes%s", spacing) << longPattern(spaced) << freeSpacing << qint64(2);
            QTest::addRow("one long line of a%s", spacing) << QString(1500, u'a') << freeSpacing << qint64(1);
        }
    }

    // Random insertions, deletions and replacements of pattern syntax, each recoloured from the one before.
    void editsColourAsAWholePassWould()
    {
        QFETCH(QString, pattern);
        QFETCH(bool, freeSpacing);
        QFETCH(qint64, group);
        static const QStringList pieces {
            u"a"_s,   u"\\"_s, u"("_s,  u")"_s,    u"["_s,    u"]"_s,    u"\\Q"_s, u"\\E"_s,
            u"#"_s,   u"\n"_s, u"{"_s,  u"}"_s,    u"(?x)"_s, u"(?#"_s,  u"*"_s,   u"b\\E)c"_s,
            u"\\c"_s, u","_s,  u"12"_s, u"\\p{"_s, u"(?<"_s,  u"\\x4"_s, u"[:"_s,  u":]"_s,
        };
        QRandomGenerator random(quint32(qHash(QString::fromLatin1(QTest::currentDataTag()))));
        PatternColoring coloring(pattern, group, freeSpacing, std::make_shared<LightAppearance>(), checkpointInterval);
        int windowed = 0;
        for (int step = 0; step < editsPerPattern; ++step) {
            const qsizetype position = random.bounded(pattern.size() + 1);
            const qsizetype removed
                = random.bounded(3) == 0 ? 0 : std::min<qsizetype>(random.bounded(6), pattern.size() - position);
            const QString added = random.bounded(3) == 0 ? QString() : pieces.at(random.bounded(pieces.size()));
            pattern.replace(position, removed, added);
            coloring.edit(pattern, position, removed, added.size());
            windowed += coloring.lastEditWasWindowed();

            const QList<ColorSpan> expected = coloredPattern(pattern, group, freeSpacing).spans();
            const QList<ColorSpan> &actual = coloring.spans();
            if (actual != expected) {
                qsizetype first = 0;
                while (first < actual.size() && first < expected.size() && actual.at(first) == expected.at(first))
                    ++first;
                QFAIL(qPrintable(u"step %1: %2 units at %3 replaced by \"%4\": %5, expected %6"_s.arg(step)
                                     .arg(removed)
                                     .arg(position)
                                     .arg(added, describe(actual, first), describe(expected, first))));
            }
        }
        // The point of it: most edits stay in their window.
        QVERIFY2(windowed > editsPerPattern / 2, qPrintable(QString::number(windowed)));
    }
};

QTEST_GUILESS_MAIN(tst_PatternColoring)
#include "tst_PatternColoring.moc"
