// Quits while one run is deep in a runaway match and another is about to deliver its results; the process must
// still exit. Run by tst_RegularExpressionController.
#include "core/evaluation/RegularExpression.h"
#include "core/evaluation/RegularExpressionController.h"
#include "core/evaluation/RegularExpressionControllerDelegate.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

namespace {

class QuitOnStart final : public RegularExpressionControllerDelegate
{
public:
    void regularExpressionControllerDidStartEvaluating(RegularExpressionController *) override
    {
        std::puts("start");
        QTimer::singleShot(0, [] { QCoreApplication::quit(); });
    }
    void regularExpressionControllerDidFinishEvaluating(RegularExpressionController *, const MatchResults &) override {
    }
    void regularExpressionControllerDidCancelEvaluating(RegularExpressionController *) override { }
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QuitOnStart delegate;
    const auto runaway = RegularExpression::compile(QStringLiteral("(a+)+$"), {}).pattern;
    const auto words = RegularExpression::compile(QStringLiteral("\\w+"), {}).pattern;
    const auto first = RegularExpressionController::create(runaway, QString(40, u'a') + u'b');
    const auto second = RegularExpressionController::create(words, QStringLiteral("ab ").repeated(100000));
    first->setDelegate(&delegate);
    first->startEvaluation();
    second->startEvaluation();
    return QCoreApplication::exec();
}
