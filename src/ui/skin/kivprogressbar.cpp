#include "ui/skin/kivprogressbar.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr int DisplaySteps = 1000;
}

KivProgressBar::KivProgressBar(QWidget *parent)
    : QProgressBar(parent)
{
    setRange(0, DisplaySteps);
    setTextVisible(false);
    updateDisplay();
}

void KivProgressBar::setUpperBound(int upperBound)
{
    m_upperBound = upperBound;
    updateDisplay();
}

void KivProgressBar::setProgress(int progress)
{
    m_progress = progress;
    updateDisplay();
}

double KivProgressBar::shownFraction() const
{
    if (m_upperBound <= 0)
        return 0.0;
    return std::clamp(static_cast<double>(m_progress) / m_upperBound, 0.0, 1.0);
}

void KivProgressBar::updateDisplay()
{
    setValue(static_cast<int>(std::lround(shownFraction() * DisplaySteps)));
}
