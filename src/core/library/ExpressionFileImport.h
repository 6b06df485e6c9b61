#pragma once

#include "core/library/Expression.h"
#include "core/platform/Expected.h"

#include <QCoreApplication>
#include <QSet>
#include <QString>

// Expressions read from a file in the library's form, to be added to a library: all of them or none. Names already
// taken get a number ("Name 2"); everything else, keys of other versions included, is kept as the library keeps it.
class ExpressionFileImport final
{
    Q_DECLARE_TR_FUNCTIONS(ExpressionFileImport)

public:
    ExpressionFileImport() = delete;

    struct Imported
    {
        ExpressionList expressions;
        // Those whose name had to change.
        qsizetype renamedCount = 0;
    };

    // Fails with a clause that completes "… could not be imported: ", e.g. "it is not valid JSON (…)".
    static Expected<Imported, QString> read(const QString &path, const QStringList &namesInUse);
    // The name itself when it is free, else the name with the lowest number from 2 that is; taken into namesInUse.
    static QString uniqueName(const QString &name, QSet<QString> &namesInUse);
};
