#include "core/tv/tvfilter.h"

#include "core/catalogue/catalogueentry.h"

namespace
{

bool TvFilter::*member(TvFilter::Box box)
{
    switch (box) {
    case TvFilter::Box::Toutes:
        return &TvFilter::CheckToutes;
    case TvFilter::Box::JT:
        return &TvFilter::CheckJT;
    case TvFilter::Box::Meteo:
        return &TvFilter::CheckMeteo;
    case TvFilter::Box::Clips:
        return &TvFilter::CheckClips;
    case TvFilter::Box::Divertissements:
        return &TvFilter::CheckDivertissements;
    case TvFilter::Box::Divers:
        return &TvFilter::CheckDivers;
    case TvFilter::Box::EtrangeresF:
        return &TvFilter::CheckEtrangeresF;
    case TvFilter::Box::Etrangeres:
        break;
    }
    return &TvFilter::CheckEtrangeres;
}

} // namespace

bool TvFilter::value(Box box) const
{
    return this->*member(box);
}

void TvFilter::setValue(Box box, bool ticked)
{
    this->*member(box) = ticked;
}

bool TvFilter::admits(const CatalogueEntry &entry) const
{
    if (!entry.language.isEmpty())
        return CheckEtrangeresF;
    const QString &category = entry.category;
    if (category == QStringLiteral("TV-jt"))
        return CheckToutes || CheckJT;
    if (category == QStringLiteral("TV-meteo"))
        return CheckToutes || CheckMeteo;
    if (category == QStringLiteral("TV-clip"))
        return CheckToutes || CheckClips;
    if (category == QStringLiteral("TV-divertissement"))
        return CheckToutes || CheckDivertissements;
    if (category == QStringLiteral("TV-divers"))
        return CheckToutes || CheckDivers;
    return false;
}
