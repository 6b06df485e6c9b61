#pragma once

#include <QRegularExpression>
#include <QTest>

// Fails the running test on any warning logged, but for the offscreen platform's notes on what it cannot do. Called
// from a test class's init(); a warning a test provokes on purpose is announced with QTest::ignoreMessage.
inline void failOnUnexpectedWarnings()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^(?!This plugin does not support )")));
}
