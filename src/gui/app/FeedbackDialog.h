#pragma once

#include <QDialog>

class QPlainTextEdit;

// Composes a feedback message with the versions that matter for a report; the user copies it into a mail or an
// issue. Nothing is sent anywhere.
class FeedbackDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FeedbackDialog)

public:
    explicit FeedbackDialog(QWidget *parent = nullptr);

    static QString systemReport();
    QString message() const;

private:
    QPlainTextEdit *m_message;
};
