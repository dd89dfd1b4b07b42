#pragma once

#include <QProgressBar>

// Skinned progress bar: shows a value relative to an upper bound. Any pair of
// numbers is accepted; only the display is clamped (a value above the bound
// shows full, a negative value or a bound of zero or less shows empty). Use
// setUpperBound/setProgress, not QProgressBar's own range and value, which
// hold the display.
class KivProgressBar : public QProgressBar
{
    Q_OBJECT

public:
    explicit KivProgressBar(QWidget *parent = nullptr);

    void setUpperBound(int upperBound);
    void setProgress(int progress);

private:
    // Shown fraction, 0 to 1.
    double shownFraction() const;
    void updateDisplay();

    int m_upperBound = 100;
    int m_progress = 0;
};
