#pragma once

#include <QString>

class NSTextViewWithPlaceholder;

class NSTextViewWithPlaceholderUpdateDelegate
{
public:
    virtual ~NSTextViewWithPlaceholderUpdateDelegate() = default;
    virtual void textViewWithPlaceholderDidUpdateText(NSTextViewWithPlaceholder *view, const QString &text) = 0;
};
