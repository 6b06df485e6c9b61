#include "core/settings/Color.h"

#include "core/platform/UserPerceivedCharacters.h"

namespace {

int hexDigit(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

// Reads like a number scanner: skips leading white space, then takes as many hexadecimal digits as follow.
int scannedHexComponent(QStringView piece)
{
    qsizetype i = 0;
    while (i < piece.size() && piece.at(i).isSpace())
        ++i;
    int value = 0;
    for (; i < piece.size() && hexDigit(piece.at(i)) >= 0; ++i)
        value = value * 16 + hexDigit(piece.at(i));
    return value;
}

} // namespace

const Color &Color::black()
{
    static const Color color {QStringLiteral("#000000"), 1.0F};
    return color;
}

const Color &Color::white()
{
    static const Color color {QStringLiteral("#ffffff"), 1.0F};
    return color;
}

QColor Color::toQColor() const
{
    return colorWithRgb(rgb, double(alpha)).value_or(QColor());
}

std::optional<QColor> colorWithRgb(const QString &rgb, double alpha)
{
    const QString text = rgb.trimmed().toUpper();
    if (!text.startsWith(u'#'))
        return std::nullopt;
    if (userPerceivedCharacterCount(text) != 7)
        return std::nullopt;
    const QStringView view(text);
    const int red = scannedHexComponent(view.mid(1, 2));
    const int green = scannedHexComponent(view.mid(3, 2));
    const int blue = scannedHexComponent(view.mid(5, 2));
    return QColor::fromRgbF(float(red / 255.0), float(green / 255.0), float(blue / 255.0), float(alpha));
}
