#include "core/settings/Appearance.h"
#include "core/settings/AppearanceController.h"
#include "gui/widgets/ApplicationPalette.h"

#include "UnexpectedWarnings.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

double luminance(const QColor &color)
{
    const auto channel
        = [](double value) { return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) + 0.0722 * channel(color.blueF());
}

QColor painted(const QColor &color, const QColor &background)
{
    const auto over = [&](double front, double back) { return front * color.alphaF() + back * (1 - color.alphaF()); };
    return QColor::fromRgbF(float(over(color.redF(), background.redF())),
                            float(over(color.greenF(), background.greenF())),
                            float(over(color.blueF(), background.blueF())));
}

// The colour as painted with its opacity onto the background, against that background.
double contrast(const QColor &color, const QColor &background)
{
    const double front = luminance(painted(color, background));
    const double back = luminance(background);
    return (std::max(front, back) + 0.05) / (std::min(front, back) + 0.05);
}

} // namespace

class tst_ApplicationPalette final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { failOnUnexpectedWarnings(); }

    // Text reaches 4.5:1 against what it lies on, the least for reading; a selection stands out from what it lies on
    // by 3:1.
    void contrastIsEnough_data()
    {
        QTest::addColumn<QColor>("front");
        QTest::addColumn<QColor>("back");
        QTest::addColumn<double>("least");
        for (const bool dark : {false, true}) {
            const std::unique_ptr<Appearance> a
                = AppearanceController::appearance(dark ? 1 : 0, SystemAppearance::light);
            const char *look = dark ? "dark" : "light";
            const QColor window = ApplicationPalette::backgroundColor(*a);
            const QColor box = painted(a->textBoxColor().toQColor(), window);
            QTest::addRow("%s error", look) << a->errorColor().toQColor() << window << 4.5;
            QTest::addRow("%s warning", look) << a->warningColor().toQColor() << window << 4.5;
            QTest::addRow("%s plain text", look) << a->plainTextColor().toQColor() << window << 4.5;
            QTest::addRow("%s text", look) << a->textColor().toQColor() << window << 4.5;
            const struct
            {
                const char *view;
                QColor background, selection, text;
            } selections[] = {
                {"library", window, a->librarySelectionColor().toQColor(), a->plainTextColor().toQColor()},
                {"pattern", box, a->patternSelectionColor().toQColor(), a->patternSelectedTextColor().toQColor()},
                {"sample text", box, a->outputSelectionColor().toQColor(), a->outputSelectedTextColor().toQColor()},
            };
            for (const auto &[view, background, selection, text] : selections) {
                QTest::addRow("%s %s selection", look, view) << selection << background << 3.0;
                QTest::addRow("%s %s selected text", look, view) << text << painted(selection, background) << 4.5;
            }
        }
    }

    void contrastIsEnough()
    {
        QFETCH(QColor, front);
        QFETCH(QColor, back);
        QFETCH(double, least);
        const double ratio = contrast(front, back);
        QVERIFY2(ratio >= least, qPrintable(u"%1:1"_s.arg(ratio, 0, 'f', 2)));
    }
};

QTEST_MAIN(tst_ApplicationPalette)
#include "tst_ApplicationPalette.moc"
