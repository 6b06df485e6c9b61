#pragma once

#include "core/evaluation/MatchInspectorModel.h"
#include "core/library/Expression.h"
#include "gui/editor/ExpressionViewController.h"
#include "gui/editor/MatchInspectorViewController.h"
#include "gui/editor/PatternTextView.h"

#include <QSignalSpy>
#include <QTest>

// The editor on the screen, showing one expression.
struct EditorFixture
{
    explicit EditorFixture(const QString &text = QStringLiteral("2024-05-01 and 1999-12-31"))
        : expression(QStringLiteral("Dates"), QString(), text)
    {
        editor.resize(800, 500);
        editor.show();
        editor.setExpression(&expression);
    }

    // As typed over the whole pattern.
    void setPattern(const QString &pattern)
    {
        editor.inputTextView()->selectAll();
        editor.inputTextView()->textCursor().insertText(pattern);
    }

    // Until the inspector, when shown, lists the outcome of the pattern's evaluation.
    void evaluate(const QString &pattern)
    {
        QSignalSpy resets(editor.matchInspector()->model(), &QAbstractItemModel::modelReset);
        setPattern(pattern);
        QTRY_VERIFY(!resets.isEmpty());
    }

    Expression expression;
    ExpressionViewController editor;
};
