#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QTest>

#include <algorithm>
#include <functional>

// Line ends, tabs and other invisible characters as <U+xxxx>, so that each case of an expected-output file stays on
// its lines.
inline QString visible(const QString &text)
{
    QString shown;
    for (const QChar c : text) {
        const bool invisible = (c.isSpace() && c != u' ') || (!c.isPrint() && !c.isSurrogate());
        shown += invisible ? QStringLiteral("<U+%1>").arg(uint(c.unicode()), 4, 16, QChar(u'0')) : QString(c);
    }
    return shown;
}

inline QString fromVisible(QString text)
{
    static const QRegularExpression code(QStringLiteral("<U\\+([0-9a-f]{4})>"));
    for (QRegularExpressionMatch match = code.match(text); match.hasMatch(); match = code.match(text))
        text.replace(match.capturedStart(), match.capturedLength(), QChar(match.captured(1).toUShort(nullptr, 16)));
    return text;
}

inline QString testDataPath(const QString &fileName)
{
    return QStringLiteral(QUORVALE_TEST_DATA "/") + fileName;
}

// Compares output with the file of that name under tests/data, naming the first line that differs. With
// QUORVALE_REGENERATE=1 in the environment the file is written instead, for `git diff` to show what changed.
inline void compareWithExpectedOutput(const QByteArray &output, const QString &fileName)
{
    QFile file(testDataPath(fileName));
    if (qEnvironmentVariableIntValue("QUORVALE_REGENERATE") == 1) {
        QVERIFY2(file.open(QIODevice::WriteOnly) && file.write(output) == output.size(), qPrintable(file.fileName()));
        return;
    }
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QList<QByteArray> actual = output.split('\n');
    const QList<QByteArray> expected = file.readAll().split('\n');
    for (qsizetype line = 0; line < std::max(actual.size(), expected.size()); ++line) {
        QVERIFY2(actual.value(line) == expected.value(line),
                 qPrintable(QStringLiteral("%1:%2 is \"%3\", expected \"%4\"")
                                .arg(fileName)
                                .arg(line + 1)
                                .arg(QString::fromUtf8(actual.value(line)), QString::fromUtf8(expected.value(line)))));
    }
}

// Runs the cases of an expected-output file: each line the header matches is a case, and explain() writes the lines
// that follow it; "#" lines say what the cases show and are kept. Returns how many cases ran, or -1 on a failure.
inline int
compareCasesWithExpectedOutput(const QString &fileName, const QRegularExpression &header,
                               const std::function<void(const QRegularExpressionMatch &, QString &)> &explain)
{
    QFile file(testDataPath(fileName));
    if (!file.open(QIODevice::ReadOnly)) {
        QTest::qFail(qPrintable(file.fileName()), __FILE__, __LINE__);
        return -1;
    }
    QString output;
    int cases = 0;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.startsWith(u'#')) {
            output += line + u'\n';
        } else if (const QRegularExpressionMatch match = header.match(line); match.hasMatch()) {
            output += line + u'\n';
            explain(match, output);
            if (QTest::currentTestFailed())
                return -1;
            output += u'\n';
            ++cases;
        }
    }
    compareWithExpectedOutput(output.toUtf8(), fileName);
    return QTest::currentTestFailed() ? -1 : cases;
}
