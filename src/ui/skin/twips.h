#pragma once

// The window sizes of the program are given in twips, 1/1440 inch: 15 twips
// to a pixel at 96 dots per inch.
namespace Twips
{
inline constexpr int PerPixel = 15;

// Rounds away from zero, so that a size converted back is never below the
// twips it came from (a 4900-twip minimum width stays a minimum).
constexpr int toPixels(int twips)
{
    return twips >= 0 ? (twips + PerPixel - 1) / PerPixel : -((-twips + PerPixel - 1) / PerPixel);
}

constexpr int fromPixels(int pixels)
{
    return pixels * PerPixel;
}
}
