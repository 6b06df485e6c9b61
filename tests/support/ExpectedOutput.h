#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QTest>

#include <algorithm>

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
