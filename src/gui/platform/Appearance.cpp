#include "Appearance.h"

#include <QApplication>
#include <QStyleFactory>

#include <cmath>

namespace Appearance {

namespace {

double luminance(const QColor &colour)
{
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

// Links read when they stand out as well as body text must (4.5:1); text on a coloured row
// as large text must (3:1).
constexpr double ReadableLink = 4.5;
constexpr double ReadableText = 3.0;

} // namespace

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor textOn(const QColor &background, const QColor &wanted)
{
    if (contrast(wanted, background) >= ReadableText)
        return wanted;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrast(black, background) >= contrast(white, background) ? black : white;
}

QColor linkColour(const QPalette &palette)
{
    const QColor window = palette.color(QPalette::Window);
    const QColor link = palette.color(QPalette::Link);
    if (contrast(link, window) >= ReadableLink)
        return link;
    const QColor lightBlue(0x8a, 0xb4, 0xf8);
    const QColor darkBlue(0x00, 0x33, 0x99);
    return contrast(lightBlue, window) >= contrast(darkBlue, window) ? lightBlue : darkBlue;
}

QPalette darkPalette()
{
    const QColor window(0x35, 0x35, 0x35);
    const QColor base(0x23, 0x23, 0x23);
    const QColor text(0xe6, 0xe6, 0xe6);
    const QColor dimmed(0x80, 0x80, 0x80);
    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::ToolTipBase, QColor(0x4a, 0x4a, 0x3a));
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, dimmed);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, window);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, Qt::red);
    palette.setColor(QPalette::Light, QColor(0x50, 0x50, 0x50));
    palette.setColor(QPalette::Midlight, QColor(0x45, 0x45, 0x45));
    palette.setColor(QPalette::Mid, QColor(0x2a, 0x2a, 0x2a));
    palette.setColor(QPalette::Dark, QColor(0x1e, 0x1e, 0x1e));
    palette.setColor(QPalette::Shadow, Qt::black);
    palette.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(0x8a, 0xb4, 0xf8));
    palette.setColor(QPalette::Disabled, QPalette::Text, dimmed);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, dimmed);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, dimmed);
    return palette;
}

void applyRequestedLook()
{
    if (qEnvironmentVariable("TARVO_PALETTE") != u"dark")
        return;
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(darkPalette());
}

} // namespace Appearance
