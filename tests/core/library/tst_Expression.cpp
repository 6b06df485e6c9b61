#include "core/library/Expression.h"
#include "core/library/JsonSerializableDelegate.h"

#include <QJsonDocument>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
class RecordingDelegate final : public QObject, public JsonSerializableDelegate
{
public:
    void jsonSerializableDidChange(JsonSerializable *record) override { changed.append(record); }
    QList<JsonSerializable *> changed;
};
} // namespace

class tst_Expression final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Keys of other versions and a replacement that is not text go back into the object as they were, through edits
    // of other fields; an edit of the replacement replaces what was kept for it.
    void keepsWhatItDoesNotRead()
    {
        const QJsonObject read = QJsonDocument::fromJson(R"({"name": "a", "pattern": "b", "text": "c",
            "replacement": ["x"], "flags": 3, "created": {"at": 1700000000000}, "colour": null})")
                                     .object();
        const std::shared_ptr<Expression> expression = Expression::fromJsonObject(read).value();
        QCOMPARE(expression->replacement(), QString());
        QCOMPARE(expression->jsonObject(), read);
        QJsonObject expected = read;
        expression->setName(u"renamed"_s);
        expected[u"name"_s] = u"renamed"_s;
        QCOMPARE(expression->jsonObject(), expected);
        expression->setReplacement(u"$1"_s);
        expected[u"replacement"_s] = u"$1"_s;
        QCOMPARE(expression->jsonObject(), expected);
    }

    // Readable tests are read into cases and written back as they were; tests this version cannot read are written
    // back too, until the user's own tests replace them.
    void keepsTestsAsWritten_data()
    {
        QTest::addColumn<QByteArray>("tests");
        QTest::addColumn<int>("readCases");
        QTest::addRow("no tests key") << QByteArray() << 0;
        QTest::addRow("every expectation")
            << R"([{"input": "a1", "expect": "match"}, {"input": "", "expect": "noMatch"},
                   {"input": "a", "expect": "wholeMatch", "note": "kept"},
                   {"input": "a1b2", "expect": "matches", "values": ["1", "2"]},
                   {"input": "a1", "expect": "matches", "group": 1, "values": []}])"_ba
            << 5;
        QTest::addRow("not an array") << R"("match")"_ba << -1;
        QTest::addRow("unknown expectation") << R"([{"input": "a", "expect": "match"},
                                                    {"input": "a", "expect": "fuzzy"}])"_ba
                                             << -1;
        QTest::addRow("values not texts") << R"([{"input": "a", "expect": "matches", "values": [1]}])"_ba << -1;
        QTest::addRow("negative group") << R"([{"input": "a", "expect": "matches", "group": -1, "values": []}])"_ba
                                        << -1;
    }

    void keepsTestsAsWritten()
    {
        QFETCH(QByteArray, tests);
        QFETCH(int, readCases);
        const QByteArray json = R"({"name": "a", "pattern": "\\d", "replacement": "", "text": "c")"_ba
            + (tests.isNull() ? ""_ba : ", \"tests\": "_ba + tests) + "}";
        const QJsonObject read = QJsonDocument::fromJson(json).object();
        QVERIFY(!read.isEmpty());
        const std::shared_ptr<Expression> expression = Expression::fromJsonObject(read).value();
        QCOMPARE(expression->tests().size(), qMax(readCases, 0));
        QCOMPARE(expression->hasUnreadableTests(), readCases < 0);
        QCOMPARE(expression->jsonObject(), read);

        const ExpressionTestCase added(u"7"_s, ExpressionTestCase::Expectation::matches, {u"7"_s});
        expression->setTests(expression->tests() << added);
        QCOMPARE(Expression::fromJsonObject(expression->jsonObject()).value()->tests(), expression->tests());
        expression->setTests({});
        QVERIFY(!expression->jsonObject().contains(u"tests"_s));
    }

    void everyAssignmentNotifies_data()
    {
        QTest::addColumn<QByteArray>("property");
        for (const char *property : {"name", "pattern", "text", "replacement"})
            QTest::addRow("%s", property) << QByteArray(property);
    }

    void everyAssignmentNotifies()
    {
        QFETCH(QByteArray, property);
        auto delegate = std::make_unique<RecordingDelegate>();
        Expression expression(u"a"_s, u"b"_s, u"c"_s);
        expression.setDelegate(delegate.get());
        const QMetaObject *meta = expression.metaObject();
        QSignalSpy changes(&expression, meta->property(meta->indexOfProperty(property)).notifySignal());
        QVERIFY(expression.setProperty(property, u"same"_s));
        QVERIFY(expression.setProperty(property, u"same"_s));
        QCOMPARE(delegate->changed, QList<JsonSerializable *>({&expression, &expression}));
        QCOMPARE(changes.count(), 2);

        delegate.reset();
        QCOMPARE(expression.delegate(), nullptr);
        QVERIFY(expression.setProperty(property, u"edited after the delegate went away"_s));
    }
};

QTEST_GUILESS_MAIN(tst_Expression)
#include "tst_Expression.moc"
