#include "core/platform/IcuString.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_IcuString final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lengthDecidesAlone_data()
    {
        QTest::addColumn<qsizetype>("length");
        QTest::addColumn<bool>("fits");
        QTest::addRow("empty") << qsizetype(0) << true;
        QTest::addRow("a few units") << qsizetype(3) << true;
        QTest::addRow("ICU's longest") << IcuString::maximumLength << true;
        QTest::addRow("one unit too long") << IcuString::maximumLength + 1 << false;
        QTest::addRow("a length a 32-bit cast wraps to 3") << (qsizetype(1) << 32) + 3 << false;
        QTest::addRow("a length a 32-bit cast wraps to -1") << (qsizetype(1) << 32) - 1 << false;
    }

    // A view over a short buffer claiming the length: the bridge must decide by the length alone, never reading the
    // units, and a 4 GB text is no test input.
    void lengthDecidesAlone()
    {
        QFETCH(qsizetype, length);
        QFETCH(bool, fits);
        static const char16_t buffer[] = u"abc";
        const QStringView text(buffer, length);
        QCOMPARE(IcuString::fits(text), fits);
        const std::optional<icu::UnicodeString> alias = IcuString::alias(text);
        QCOMPARE(alias.has_value(), fits);
        if (!alias)
            return;
        QCOMPARE(qsizetype(alias->length()), length);
        QVERIFY(!alias->isBogus());
        // Shared, not copied.
        QCOMPARE(alias->getBuffer(), static_cast<const char16_t *>(buffer));
    }

    void unitsCrossUnchanged_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addRow("empty") << QString();
        QTest::addRow("NUL inside") << QString::fromUtf16(u"a\0b", 3);
        QTest::addRow("lone surrogates") << QString::fromUtf16(u"\xdc00x\xd800", 3);
        QTest::addRow("surrogate pair and CR LF") << u"\U0001F600\r\n"_s;
    }

    void unitsCrossUnchanged()
    {
        QFETCH(QString, text);
        const std::optional<icu::UnicodeString> alias = IcuString::alias(text);
        QVERIFY(alias);
        QCOMPARE(qsizetype(alias->length()), text.size());
        for (qsizetype i = 0; i < text.size(); ++i)
            QCOMPARE(alias->charAt(int32_t(i)), text.at(i).unicode());
        QCOMPARE(IcuString::toQString(*alias), text);
        QCOMPARE(IcuString::toQString(icu::UnicodeString(*alias)), text);
    }
};

QTEST_GUILESS_MAIN(tst_IcuString)
#include "tst_IcuString.moc"
