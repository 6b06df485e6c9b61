// Saving runs on every keystroke in the editor, so the cost of one save of a realistic library bounds how smoothly
// a large sample text can be typed into.

#include "core/library/JsonStore.h"
#include "core/library/LibraryStoreController.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double medianMilliseconds(int runs, const std::function<void()> &run)
{
    std::vector<double> times;
    for (int index = 0; index < runs; ++index) {
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

ExpressionList makeLibrary(int count, qsizetype firstTextSize)
{
    ExpressionList expressions;
    for (int index = 0; index < count; ++index) {
        const QString text = index == 0 ? QString(firstTextSize, u'a')
                                        : QStringLiteral("Sample %1: someone@example.org, 2024-05-01\n").arg(index);
        expressions.append(std::make_shared<Expression>(QStringLiteral("Expression %1").arg(index),
                                                        QStringLiteral("(\\w+)@(\\w+)\\.org|\\d{4}-\\d{2}"), text));
    }
    return expressions;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    // On the disk that holds the build, like the user's data folder, not on a memory file system.
    QTemporaryDir dir(QDir::current().filePath(QStringLiteral("bench-library-XXXXXX")));
    if (!dir.isValid())
        return 1;

    const QString savePath = dir.filePath(QStringLiteral("save.json"));
    LibraryStoreController controller(savePath);
    controller.setExpressions(makeLibrary(100, 1024 * 1024));
    const std::shared_ptr<Expression> current = controller.expressions().constFirst();
    QString text = current->text();
    const double save = medianMilliseconds(21, [&] {
        text.append(u'x');
        current->setText(text);
    });
    std::printf("save, 100 expressions, current text 1 MB, one keystroke (median of 21): %.2f ms (goal: < 20 ms)\n",
                save);

    const QString loadPath = dir.filePath(QStringLiteral("load.json"));
    {
        JsonStore store(loadPath);
        store.items() = makeLibrary(10000, 40);
        if (store.write())
            return 1;
    }
    qsizetype loaded = 0;
    const double load = medianMilliseconds(5, [&] { loaded = JsonStore(loadPath).items().size(); });
    std::printf("load, 10,000 expressions (median of 5): %.2f ms, %lld read (goal: none set; reported)\n", load,
                static_cast<long long>(loaded));
    return loaded == 10000 ? 0 : 1;
}
