#pragma once

struct CatalogueEntry;

// The TV window's boxes in the frame "Chaines", and which records they admit.
// `CheckEtrangeres` admits nothing: it switches the window to the list of
// foreign channels.
struct TvFilter {
    enum class Box { Toutes, JT, Meteo, Clips, Divertissements, Divers, EtrangeresF, Etrangeres };

    bool CheckToutes = true; // "Toutes"
    bool CheckJT = true; // "Journaux télévisés"
    bool CheckMeteo = true; // "Météo"
    bool CheckClips = true; // "Clips"
    bool CheckDivertissements = true; // "Divertissements"
    bool CheckDivers = true; // "Divers (TNT...)"
    bool CheckEtrangeresF = true; // "Etrangères francophones (Belges)"
    bool CheckEtrangeres = false; // "Etrangères non francophones"

    bool value(Box box) const;
    void setValue(Box box, bool ticked);

    // A programme in any language but French is listed by CheckEtrangeresF
    // alone, whatever its category and the other boxes say.
    bool admits(const CatalogueEntry &entry) const;

    bool operator==(const TvFilter &) const = default;
};
