#include "pattern/CommentPattern.h"
#include "pattern/EscapedCharacterPattern.h"
#include "pattern/FreeCommentPattern.h"
#include "pattern/MetacharacterPattern.h"
#include "pattern/SpecialCharacterPattern.h"
#include "pattern/SpecialExpressionPattern.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

template<Pattern Family>
QList<TextRange> rangesOf(const QString &text)
{
    QList<TextRange> ranges;
    for (const auto &found : Family::rangeMatches(text))
        ranges.append(found.first);
    return ranges;
}

template<Pattern Family>
QList<TextRange> plainSearchRanges(const QString &text)
{
    QList<TextRange> ranges;
    for (const RangedCaptureTexts &found : rangedCaptureGroups(text, Family::regex()))
        ranges.append(found.range);
    return ranges;
}

QList<TextRange> rangesOf(const QString &family, const QString &text)
{
    if (family == u"special character")
        return rangesOf<SpecialCharacterPattern>(text);
    if (family == u"special expression")
        return rangesOf<SpecialExpressionPattern>(text);
    if (family == u"escaped character")
        return rangesOf<EscapedCharacterPattern>(text);
    if (family == u"metacharacter")
        return rangesOf<MetacharacterPattern>(text);
    if (family == u"comment")
        return rangesOf<CommentPattern>(text);
    if (family == u"free comment")
        return rangesOf<FreeCommentPattern>(text);
    qFatal("unknown family");
}

QString describe(const QList<TextRange> &ranges)
{
    QStringList parts;
    for (const TextRange &range : ranges)
        parts << u"%1+%2"_s.arg(range.location).arg(range.length);
    return parts.join(u' ');
}

} // namespace

class tst_Pattern final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rangeMatches_data();
    void rangeMatches();
    void everyAlternativeFound_data();
    void everyAlternativeFound();
    void matchRecords();
    void captureGroups_data();
    void captureGroups();
    void regexEscaped_data();
    void regexEscaped();
    void splitSearchEqualsPlainSearch();
};

void tst_Pattern::rangeMatches_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("ranges");

    const QString special = u"special character"_s;
    const QString expression = u"special expression"_s;
    const QString escaped = u"escaped character"_s;
    const QString meta = u"metacharacter"_s;
    const QString comment = u"comment"_s;
    const QString freeComment = u"free comment"_s;

    QTest::addRow("quantifiers one by one") << special << u"a+?"_s << u"1+1 2+1"_s;
    QTest::addRow("special characters of a lookbehind") << special << u"(?<=a)b"_s << u"0+1 1+1 5+1"_s;
    QTest::addRow("square brackets are not special") << special << u"[a]"_s << u""_s;
    QTest::addRow("after an emoji in UTF-16 units") << special << u"😀+"_s << u"2+1"_s;
    QTest::addRow("counted quantifier") << expression << u"x{2,5}"_s << u"1+5"_s;
    QTest::addRow("quantifier without minimum") << expression << u"x{,5}"_s << u""_s;
    QTest::addRow("lookbehind opener") << expression << u"(?<=a)b"_s << u"0+4"_s;
    QTest::addRow("named group opener is not special") << expression << u"(?<n>a)"_s << u""_s;
    QTest::addRow("escaped parentheses") << escaped << uR"(\(a\))"_s << u"0+2 3+2"_s;
    QTest::addRow("escaped bracket is not special") << escaped << uR"(\[)"_s << u""_s;
    QTest::addRow("escaped backslash and space") << escaped << uR"(\\\ )"_s << u"0+2 2+2"_s;
    QTest::addRow("both cases of a letter escape") << meta << uR"(\D and \d)"_s << u"0+2 7+2"_s;
    QTest::addRow("control X in either case") << meta << uR"(\cx)"_s << u"0+3"_s;
    QTest::addRow("control of another letter") << meta << uR"(\cY)"_s << u""_s;
    QTest::addRow("class ends at unescaped bracket") << meta << uR"([a-z]+\])"_s << u"0+5"_s;
    QTest::addRow("escaped bracket inside class") << meta << uR"([a\]b])"_s << u"0+6"_s;
    QTest::addRow("class does not cross lines") << meta << u"[a\nb]"_s << u""_s;
    QTest::addRow("back-reference before octal") << meta << uR"(\0128)"_s << u"0+5"_s;
    QTest::addRow("two hex digits") << meta << uR"(\x4142)"_s << u"0+4"_s;
    // Case-insensitive, the earlier alternatives \\n and \\u[0-9a-f]{4} win over the longer ones.
    QTest::addRow("named character found as \\N") << meta << uR"(\N{DIGIT})"_s << u"0+2"_s;
    QTest::addRow("eight hex digits found as four") << meta << uR"(\U0001F600)"_s << u"0+6"_s;
    QTest::addRow("escape before an unclosed class") << meta << u"\\d[\n[a]"_s << u"0+2 4+3"_s;
    QTest::addRow("class then unclosed class") << meta << u"[x] [y\\w"_s << u"0+3 6+2"_s;
    QTest::addRow("comment to end of line") << comment << u"a#b\nc"_s << u"1+2"_s;
    QTest::addRow("comment stops before CRLF") << comment << u"a#b\r\nc"_s << u"1+2"_s;
    QTest::addRow("inline comment opener") << comment << u"(?#x)"_s << u""_s;
    QTest::addRow("escaped number sign") << comment << uR"(\#)"_s << u""_s;
    QTest::addRow("inline comment") << freeComment << u"(?#note) rest"_s << u"0+8"_s;
    QTest::addRow("unclosed inline comment") << freeComment << u"(?#a)(?#b"_s << u"0+5"_s;
    QTest::addRow("empty text") << meta << QString() << u""_s;
}

void tst_Pattern::rangeMatches()
{
    QFETCH(QString, family);
    QFETCH(QString, text);
    QFETCH(QString, ranges);

    QCOMPARE(describe(rangesOf(family, text)), ranges);
}

void tst_Pattern::everyAlternativeFound_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QStringList>("tokens");
    QTest::addColumn<QString>("separator");

    QTest::addRow("special characters")
        << u"special character"_s
        << QStringList{u"("_s, u")"_s, u"|"_s, u"*"_s, u"?"_s, u"+"_s, u"{"_s, u"}"_s, u"\\"_s, u"/"_s, u"."_s,
                       u"^"_s, u"$"_s, u" "_s}
        << u"a"_s;
    QTest::addRow("special expressions") << u"special expression"_s
                                         << QStringList{u"{3}"_s, u"{3,}"_s, u"{3,10}"_s, u"(?:"_s, u"(?>"_s,
                                                        u"(?#"_s, u"(?="_s, u"(?!"_s, u"(?<="_s, u"(?<!"_s}
                                         << u"a"_s;
    QTest::addRow("escaped characters")
        << u"escaped character"_s
        << uR"(\( \) \| \* \? \+ \{ \} \\ \/ \. \^ \$)"_s.split(u' ') + QStringList{uR"(\ )"_s} << u"a"_s;
    QTest::addRow("metacharacters")
        << u"metacharacter"_s
        << uR"(\a \A \b \B \cX \d \D \e \E \f \G \n \p{L} \P{Lu} \Q \r \s \S \t \u00e9 \w \W)"_s
                   .split(u' ')
               + uR"(\x{00E9} \x41 \X \Z \z \12 \0 \07 [^a-z\]])"_s.split(u' ')
        << u" "_s;
}

void tst_Pattern::everyAlternativeFound()
{
    QFETCH(QString, family);
    QFETCH(QStringList, tokens);
    QFETCH(QString, separator);

    QList<TextRange> expected;
    QString text;
    for (const QString &token : std::as_const(tokens)) {
        expected.append({text.size(), token.size()});
        text += token + separator;
    }
    QCOMPARE(describe(rangesOf(family, text)), describe(expected));
}

void tst_Pattern::matchRecords()
{
    const QList<SpecialExpressionPatternMatch> expressions = SpecialExpressionPattern::matches(u"x{2,5}(?:a)"_s);
    QCOMPARE(expressions.size(), 2);
    QCOMPARE(expressions.at(0).match, u"{2,5}"_s);
    QCOMPARE(expressions.at(1).match, u"(?:"_s);

    const QList<EscapedCharacterPatternMatch> escaped = EscapedCharacterPattern::matches(uR"(a\.)"_s);
    QCOMPARE(escaped.size(), 1);
    QCOMPARE(escaped.at(0).match, uR"(\.)"_s);
    QVERIFY(escaped.at(0).character.isEmpty());
}

void tst_Pattern::captureGroups_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("regex");
    QTest::addColumn<QString>("groups");

    QTest::addRow("empty search expression") << u"abc"_s << QString() << u""_s;
    QTest::addRow("invalid search expression") << u"abc"_s << u"("_s << u""_s;
    QTest::addRow("empty text") << QString() << u"a"_s << u""_s;
    QTest::addRow("groups that took no part") << u"ab"_s << u"(a)|(b)"_s << u"a,a,- b,-,b"_s;
    QTest::addRow("compiled case-insensitively") << u"aA"_s << u"a"_s << u"a A"_s;
}

void tst_Pattern::captureGroups()
{
    QFETCH(QString, text);
    QFETCH(QString, regex);
    QFETCH(QString, groups);

    QStringList described;
    for (const CaptureTexts &match : ::captureGroups(text, regex)) {
        QStringList texts;
        for (const std::optional<QString> &group : match)
            texts << group.value_or(u"-"_s);
        described << texts.join(u',');
    }
    QCOMPARE(described.join(u' '), groups);
}

void tst_Pattern::regexEscaped_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("escaped");

    QTest::addRow("backslash doubled, plus escaped") << uR"(a\b+)"_s << uR"(a\\b\+)"_s;
    QTest::addRow("non-capturing opener") << u"(?:"_s << uR"(\(\?:)"_s;
    QTest::addRow("negative lookbehind opener") << u"(?<!"_s << uR"(\(\?<\!)"_s;
    QTest::addRow("all fifteen") << uR"(\+(){}[]^$.*|?!)"_s << uR"(\\\+\(\)\{\}\[\]\^\$\.\*\|\?\!)"_s;
    QTest::addRow("left alone") << u"<=:>#a"_s << u"<=:>#a"_s;
}

void tst_Pattern::regexEscaped()
{
    QFETCH(QString, text);
    QFETCH(QString, escaped);

    QCOMPARE(::regexEscaped(text), escaped);
}

// The linear search over split segments must find exactly what one search of the whole text finds.
void tst_Pattern::splitSearchEqualsPlainSearch()
{
    QRandomGenerator random(4711);
    static constexpr std::u16string_view alphabet = u"[]\\()?#a\n\r\u2028d";
    for (int round = 0; round < 3000; ++round) {
        QString text;
        const int length = random.bounded(1, 24);
        for (int i = 0; i < length; ++i)
            text += QChar(alphabet[random.bounded(int(alphabet.size()))]);
        QCOMPARE(describe(rangesOf<MetacharacterPattern>(text)),
                 describe(plainSearchRanges<MetacharacterPattern>(text)));
        QCOMPARE(describe(rangesOf<FreeCommentPattern>(text)), describe(plainSearchRanges<FreeCommentPattern>(text)));
    }
}

QTEST_GUILESS_MAIN(tst_Pattern)
#include "tst_Pattern.moc"
