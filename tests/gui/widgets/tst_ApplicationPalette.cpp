#include "core/settings/DarkAppearance.h"
#include "core/settings/LightAppearance.h"
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

    // Text on the window reaches 4.5:1, the least for reading.
    void textIsReadable_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("role");
        for (const bool dark : {false, true}) {
            for (const QString &role : {u"error"_s, u"warning"_s, u"plain text"_s, u"text"_s})
                QTest::addRow("%s %s", dark ? "dark" : "light", qPrintable(role)) << dark << role;
        }
    }

    void textIsReadable()
    {
        QFETCH(bool, dark);
        QFETCH(QString, role);
        const std::unique_ptr<Appearance> appearance
            = dark ? std::unique_ptr<Appearance>(new DarkAppearance) : std::unique_ptr<Appearance>(new LightAppearance);
        const Color color = role == u"error" ? appearance->errorColor()
            : role == u"warning"             ? appearance->warningColor()
            : role == u"plain text"          ? appearance->plainTextColor()
                                             : appearance->textColor();
        const double ratio = contrast(color.toQColor(), ApplicationPalette::backgroundColor(*appearance));
        QVERIFY2(ratio >= 4.5, qPrintable(u"%1:1"_s.arg(ratio, 0, 'f', 2)));
    }

    // A selection stands out from what it lies on by 3:1, and the text on it stays readable at 4.5:1.
    void selectionsAreVisible_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("view");
        for (const bool dark : {false, true}) {
            for (const QString &view : {u"library"_s, u"pattern"_s, u"sample text"_s})
                QTest::addRow("%s %s", dark ? "dark" : "light", qPrintable(view)) << dark << view;
        }
    }

    void selectionsAreVisible()
    {
        QFETCH(bool, dark);
        QFETCH(QString, view);
        const std::unique_ptr<Appearance> appearance
            = dark ? std::unique_ptr<Appearance>(new DarkAppearance) : std::unique_ptr<Appearance>(new LightAppearance);
        const QColor window = ApplicationPalette::backgroundColor(*appearance);
        const QColor background = view == u"library" ? window : painted(appearance->textBoxColor().toQColor(), window);
        const QColor selection = view == u"library" ? appearance->librarySelectionColor().toQColor()
            : view == u"pattern"                    ? appearance->patternSelectionColor().toQColor()
                                                    : appearance->outputSelectionColor().toQColor();
        const QColor text = view == u"library" ? appearance->plainTextColor().toQColor()
            : view == u"pattern"               ? appearance->patternSelectedTextColor().toQColor()
                                               : appearance->outputSelectedTextColor().toQColor();
        const double visible = contrast(selection, background);
        QVERIFY2(visible >= 3, qPrintable(u"selection %1:1"_s.arg(visible, 0, 'f', 2)));
        const double readable = contrast(text, painted(selection, background));
        QVERIFY2(readable >= 4.5, qPrintable(u"text %1:1"_s.arg(readable, 0, 'f', 2)));
    }
};

QTEST_MAIN(tst_ApplicationPalette)
#include "tst_ApplicationPalette.moc"
