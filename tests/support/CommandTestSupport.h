#pragma once

#include "ExpectedOutput.h"

#include <QProcess>
#include <QTemporaryDir>

struct CommandOutcome
{
    QByteArray output;
    QByteArray errors;
    int status = -1;
};

// The built program, where no window system could be reached: a command must not need one.
inline CommandOutcome runQuorvale(const QStringList &arguments, const QByteArray &input = {},
                                  const QString &workingDirectory = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workingDirectory);
    process.start(QStringLiteral(QUORVALE_EXECUTABLE), arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.readAllStandardOutput(), process.readAllStandardError(), process.exitCode()};
}

// Runs the cases of an expected-output file: `quorvale` and its arguments in quotes, then `< "input"`, given on
// standard input or, where an argument is FILE, in a file of that name. Under each case are the lines of its standard
// output and error and its exit status. In the input, <0xhh> is a byte that need not be UTF-8.
inline int compareCommandsWithExpectedOutput(const QString &fileName)
{
    using namespace Qt::StringLiterals;
    static const QRegularExpression header(uR"re(^quorvale((?: "[^"]*"| FILE)*)(?: < "(.*)")?$)re"_s);
    static const QRegularExpression argument(uR"re("([^"]*)"|FILE)re"_s);
    static const QRegularExpression byte(QStringLiteral("<0x([0-9a-f]{2})>"));
    return compareCasesWithExpectedOutput(fileName, header, [](const QRegularExpressionMatch &match, QString &out) {
        QStringList arguments;
        for (const QRegularExpressionMatch &each : argument.globalMatch(match.captured(1)))
            arguments << (each.hasCaptured(1) ? fromVisible(each.captured(1)) : each.captured(0));
        QByteArray input;
        const QString text = fromVisible(match.captured(2));
        qsizetype from = 0;
        for (const QRegularExpressionMatch &each : byte.globalMatch(text)) {
            input
                += text.sliced(from, each.capturedStart() - from).toUtf8() + char(each.captured(1).toInt(nullptr, 16));
            from = each.capturedEnd();
        }
        input += text.sliced(from).toUtf8();

        QTemporaryDir folder;
        if (arguments.contains(QStringLiteral("FILE"))) {
            QFile file(folder.filePath(QStringLiteral("FILE")));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(input) == input.size());
            input.clear();
        }
        const CommandOutcome outcome = runQuorvale(arguments, input, folder.path());
        for (const auto &[stream, bytes] : {std::pair {"out", outcome.output}, std::pair {"err", outcome.errors}}) {
            QList<QByteArray> lines = bytes.split('\n');
            if (lines.constLast().isEmpty())
                lines.removeLast();
            for (const QByteArray &line : std::as_const(lines))
                out += u"  "_s + QLatin1StringView(stream) + u':'
                    + (line.isEmpty() ? QString() : u' ' + visible(QString::fromUtf8(line))) + u'\n';
        }
        out += u"  exit status %1\n"_s.arg(outcome.status);
    });
}
