#pragma once

#include <QString>

// What a browser window's info panel shows for the entry last shown, and the
// hidden fields that its launch reads.
struct CatalogueInfoPanel {
    QString LblNom; // name
    QString LblLangue; // language display text
    QString LblInfos; // information display text
    QString ImageOne; // path of the picture shown; kept when a new one cannot be loaded
    QString LblAdresse; // stream address
    QString LblSpace; // TV only: the dated flag

    bool operator==(const CatalogueInfoPanel &) const = default;
};
