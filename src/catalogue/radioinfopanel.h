#pragma once

#include <QString>

// What the radio window's info panel shows for the station last hovered, and
// the hidden address that a click launches.
struct RadioInfoPanel {
    QString LblNom; // name
    QString LblLangue; // language display text
    QString LblInfos; // information display text
    QString ImageOne; // path of the picture shown; kept when a new one cannot be loaded
    QString LblAdresse; // stream address

    bool operator==(const RadioInfoPanel &) const = default;
};
