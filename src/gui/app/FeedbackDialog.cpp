#include "gui/app/FeedbackDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSysInfo>
#include <QVBoxLayout>

#include <unicode/uversion.h>

FeedbackDialog::FeedbackDialog(QWidget *parent)
    : QDialog(parent)
    , m_message(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("feedbackDialog"));
    //: Title of the feedback window
    setWindowTitle(tr("Send Feedback"));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(tr("Describe what happened or what you would like. Copy the message and send it to the "
                                "developers; the version details below help them reproduce it."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    m_message->setObjectName(QStringLiteral("feedbackMessage"));
    m_message->setAccessibleName(tr("Feedback message"));
    m_message->setPlainText(QStringLiteral("\n\n---\n") + systemReport());
    layout->addWidget(m_message, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *copy = buttons->addButton(tr("Copy Message"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("copyFeedbackButton"));
    connect(copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(message()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(520, 360);
}

QString FeedbackDialog::systemReport()
{
    return QStringLiteral("Quorvale %1\nQt %2\nICU %3\n%4 (%5)\n")
        .arg(QCoreApplication::applicationVersion(), QString::fromLatin1(qVersion()), QStringLiteral(U_ICU_VERSION),
             QSysInfo::prettyProductName(), QSysInfo::currentCpuArchitecture());
}

QString FeedbackDialog::message() const
{
    return m_message->toPlainText();
}
