#pragma once

#include "core/library/DictionaryError.h"
#include "core/library/ExpressionTestCase.h"
#include "core/library/JsonSerializable.h"
#include "core/platform/Expected.h"

#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <QLatin1StringView>

#include <array>
#include <memory>

class JsonSerializableDelegate;

// A named pattern with the sample text it is tested against. The list, the editor and the store share one instance.
// Every assignment after construction, also of an equal value, tells the delegate and emits the change signal.
class Expression final : public QObject, public JsonSerializable
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Expression)
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY nameChanged)
    Q_PROPERTY(QString pattern READ pattern WRITE setPattern NOTIFY patternChanged)
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(QString replacement READ replacement WRITE setReplacement NOTIFY replacementChanged)
    Q_PROPERTY(QList<ExpressionTestCase> tests READ tests WRITE setTests NOTIFY testsChanged)

public:
    explicit Expression(QObject *parent = nullptr);
    Expression(const QString &name, const QString &pattern, const QString &text, QObject *parent = nullptr);
    ~Expression() override;

    // Fails with the first of "name", "pattern", "text" that holds no string. "replacement" is optional: files of
    // older versions lack it, so a missing or non-string value reads as empty. Keys of other versions, and a
    // replacement that is not a string, are kept as they were and written back with the expression; so are "tests"
    // this version cannot read.
    static Expected<std::shared_ptr<Expression>, DictionaryError> fromJsonObject(const QJsonObject &object);
    QJsonObject jsonObject() const override;

    struct JsonMember
    {
        QLatin1StringView key;
        QString value;
    };
    // What jsonObject() holds, sharing the strings instead of copying them into JSON values: the library is written
    // on every keystroke, and the text may be megabytes.
    struct JsonMembers
    {
        // In key order; one whose key is also kept is written as kept instead.
        std::array<JsonMember, 4> used;
        // What this version does not read: other keys, and a used key whose value has another type. Also the tests,
        // which are no string.
        QJsonObject kept;
    };
    JsonMembers jsonMembers() const;

    QString name() const { return m_name; }
    void setName(const QString &name);
    QString pattern() const { return m_pattern; }
    void setPattern(const QString &pattern);
    QString text() const { return m_text; }
    void setText(const QString &text);
    // The substitution template, in the engine's replacement syntax; empty by default.
    QString replacement() const { return m_replacement; }
    void setReplacement(const QString &replacement);
    // The cases the pattern is tested against; none by default, and then the file has no "tests".
    QList<ExpressionTestCase> tests() const { return m_tests; }
    void setTests(const QList<ExpressionTestCase> &tests);
    // The file holds tests this version cannot read; they are written back as they were until setTests().
    bool hasUnreadableTests() const { return m_testsUnreadable; }

    // Weak: the delegate must be a QObject and reads as none once it is destroyed.
    JsonSerializableDelegate *delegate() const;
    void setDelegate(JsonSerializableDelegate *delegate);

Q_SIGNALS:
    void nameChanged();
    void patternChanged();
    void textChanged();
    void replacementChanged();
    void testsChanged();

private:
    void notifyDelegate();

    QString m_name;
    QString m_pattern;
    QString m_text;
    QString m_replacement;
    QList<ExpressionTestCase> m_tests;
    bool m_testsUnreadable = false;
    QJsonObject m_keptMembers;
    JsonSerializableDelegate *m_delegate = nullptr;
    QPointer<QObject> m_delegateObject;
};

using ExpressionList = QList<std::shared_ptr<Expression>>;
