#pragma once

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

// The windows were laid out in pixels at 96 dots per inch with three Windows
// fonts; this is the one place that says which installed fonts stand in for
// them. The Windows names stay in each list so a Windows build finds them.
namespace Fonts {

inline constexpr int layoutDpi = 96;

// Point sizes convert to pixel heights as at 96 dpi, rounded, so a "22 point"
// font is 29 pixels on every screen, like the layout it belongs to.
inline int pointsToPixels(int points)
{
    return (points * layoutDpi * 2 + 72) / (72 * 2);
}

inline int pixelsToPoints(int pixels)
{
    return (pixels * 72 * 2 + layoutDpi) / (layoutDpi * 2);
}

// 標楷體
inline QStringList kaiFamilies()
{
    return {QStringLiteral("AR PL UKai TW"), QStringLiteral("DFKai-SB"), QStringLiteral("標楷體")};
}

// 細明體
inline QStringList mingFamilies()
{
    return {QStringLiteral("AR PL UMing TW"), QStringLiteral("MingLiU"), QStringLiteral("細明體")};
}

// Latin letters and digits where a capital O and a zero look apart (the
// Chinese fonts draw them alike, so "O240318001" would read as a number).
inline QStringList latinFamilies()
{
    return {QStringLiteral("DejaVu Sans"), QStringLiteral("Microsoft Sans Serif")};
}

inline QFont kai(int pixelSize)
{
    QFont font;
    font.setFamilies(kaiFamilies());
    font.setPixelSize(pixelSize);
    return font;
}

inline QFont ming(int pixelSize)
{
    QFont font;
    font.setFamilies(mingFamilies());
    font.setPixelSize(pixelSize);
    return font;
}

// 細明體 for Chinese with Latin letters and digits that keep O and 0 apart:
// the grids, where codes and names are read.
inline QFont mingWithLatin(int pixelSize)
{
    QFont font;
    font.setFamilies(latinFamilies() + mingFamilies());
    font.setPixelSize(pixelSize);
    return font;
}

// MS Sans Serif: a sans font at the given point size that keeps O and 0
// apart (the desktop's own may be a Chinese one under a Chinese locale), with
// Chinese from 細明體 as on a Traditional Chinese Windows.
inline QFont sans(int points)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setFamilies(latinFamilies() + QStringList{font.family()} + mingFamilies());
    font.setPixelSize(pointsToPixels(points));
    return font;
}

} // namespace Fonts
