#include "core/library/ExpressionFileImport.h"

#include "core/library/JsonStore.h"

Expected<ExpressionFileImport::Imported, QString> ExpressionFileImport::read(const QString &path,
                                                                             const QStringList &namesInUse)
{
    Imported imported;
    // The library's own reader, so that a file is read here exactly as it would be as the library; but where the
    // library keeps what it can, an import with a bad entry adds nothing.
    if (const QString problem = JsonStore::readExpressions(path, imported.expressions); !problem.isEmpty())
        return problem;
    //: Completes "… could not be imported: "
    if (imported.expressions.isEmpty())
        return tr("it holds no expressions");
    QSet<QString> taken(namesInUse.begin(), namesInUse.end());
    for (const auto &expression : std::as_const(imported.expressions)) {
        const QString name = uniqueName(expression->name(), taken);
        if (name == expression->name())
            continue;
        expression->setName(name);
        ++imported.renamedCount;
    }
    return imported;
}

QString ExpressionFileImport::uniqueName(const QString &name, QSet<QString> &namesInUse)
{
    QString unique = name;
    for (int number = 2; namesInUse.contains(unique); ++number)
        unique = name % u' ' % QString::number(number);
    namesInUse.insert(unique);
    return unique;
}
