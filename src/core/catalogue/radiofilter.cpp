#include "core/catalogue/radiofilter.h"

#include "core/catalogue/catalogueentry.h"

bool RadioFilter::value(Box box) const
{
    switch (box) {
    case Box::Toutes:
        return CheckToutes;
    case Box::Info:
        return CheckInfo;
    case Box::Music:
        return CheckMusic;
    case Box::EtrangeresF:
        return CheckEtrangeresF;
    case Box::Etrangeres:
        return CheckEtrangeres;
    }
    return false;
}

void RadioFilter::setValue(Box box, bool ticked)
{
    switch (box) {
    case Box::Toutes:
        CheckToutes = ticked;
        break;
    case Box::Info:
        CheckInfo = ticked;
        break;
    case Box::Music:
        CheckMusic = ticked;
        break;
    case Box::EtrangeresF:
        CheckEtrangeresF = ticked;
        break;
    case Box::Etrangeres:
        CheckEtrangeres = ticked;
        break;
    }
}

bool RadioFilter::admits(const CatalogueEntry &entry) const
{
    // The rules are tried in this order: a Belgian station is never admitted by
    // its category.
    if (entry.language == QStringLiteral("français-belge"))
        return CheckEtrangeresF;
    if (entry.category == QStringLiteral("radio"))
        return CheckToutes || CheckMusic;
    if (entry.category == QStringLiteral("radio-info")) {
        if (entry.language.isEmpty())
            return CheckToutes || CheckInfo;
        return CheckEtrangeres;
    }
    return false;
}
