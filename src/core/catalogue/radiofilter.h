#pragma once

struct CatalogueEntry;

// The radio browser's category boxes under "Afficher : ", and which records
// they admit.
struct RadioFilter {
    enum class Box { Toutes, Info, Music, EtrangeresF, Etrangeres };

    bool CheckToutes = true; // "Toutes"
    bool CheckInfo = false; // "Informatives"
    bool CheckMusic = false; // "Musicales"
    bool CheckEtrangeresF = false; // "Etrangères francophones (Belges)"
    bool CheckEtrangeres = false; // "Etrangères non francophones"

    bool value(Box box) const;
    void setValue(Box box, bool ticked);

    // "Toutes" lists French music and news stations and foreign-language music
    // stations, but neither Belgian stations nor foreign news stations.
    bool admits(const CatalogueEntry &entry) const;

    bool operator==(const RadioFilter &) const = default;
};
