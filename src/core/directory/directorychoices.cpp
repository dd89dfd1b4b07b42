#include "core/directory/directorychoices.h"

namespace DirectoryChoices
{

QList<Choice> countries()
{
    static const QList<Choice> list {
        { QStringLiteral("Algérie"), QStringLiteral("DZ") },
        { QStringLiteral("Allemagne"), QStringLiteral("DE") },
        { QStringLiteral("Argentine"), QStringLiteral("AR") },
        { QStringLiteral("Australie"), QStringLiteral("AU") },
        { QStringLiteral("Autriche"), QStringLiteral("AT") },
        { QStringLiteral("Belgique"), QStringLiteral("BE") },
        { QStringLiteral("Brésil"), QStringLiteral("BR") },
        { QStringLiteral("Cameroun"), QStringLiteral("CM") },
        { QStringLiteral("Canada"), QStringLiteral("CA") },
        { QStringLiteral("Chine"), QStringLiteral("CN") },
        { QStringLiteral("Côte d'Ivoire"), QStringLiteral("CI") },
        { QStringLiteral("Danemark"), QStringLiteral("DK") },
        { QStringLiteral("Espagne"), QStringLiteral("ES") },
        { QStringLiteral("États-Unis"), QStringLiteral("US") },
        { QStringLiteral("Finlande"), QStringLiteral("FI") },
        { QStringLiteral("France"), QStringLiteral("FR") },
        { QStringLiteral("Grèce"), QStringLiteral("GR") },
        { QStringLiteral("Haïti"), QStringLiteral("HT") },
        { QStringLiteral("Hongrie"), QStringLiteral("HU") },
        { QStringLiteral("Inde"), QStringLiteral("IN") },
        { QStringLiteral("Irlande"), QStringLiteral("IE") },
        { QStringLiteral("Italie"), QStringLiteral("IT") },
        { QStringLiteral("Japon"), QStringLiteral("JP") },
        { QStringLiteral("Liban"), QStringLiteral("LB") },
        { QStringLiteral("Luxembourg"), QStringLiteral("LU") },
        { QStringLiteral("Madagascar"), QStringLiteral("MG") },
        { QStringLiteral("Maroc"), QStringLiteral("MA") },
        { QStringLiteral("Mexique"), QStringLiteral("MX") },
        { QStringLiteral("Monaco"), QStringLiteral("MC") },
        { QStringLiteral("Norvège"), QStringLiteral("NO") },
        { QStringLiteral("Pays-Bas"), QStringLiteral("NL") },
        { QStringLiteral("Pologne"), QStringLiteral("PL") },
        { QStringLiteral("Portugal"), QStringLiteral("PT") },
        { QStringLiteral("Roumanie"), QStringLiteral("RO") },
        { QStringLiteral("Royaume-Uni"), QStringLiteral("GB") },
        { QStringLiteral("Russie"), QStringLiteral("RU") },
        { QStringLiteral("Sénégal"), QStringLiteral("SN") },
        { QStringLiteral("Suède"), QStringLiteral("SE") },
        { QStringLiteral("Suisse"), QStringLiteral("CH") },
        { QStringLiteral("Tunisie"), QStringLiteral("TN") },
        { QStringLiteral("Turquie"), QStringLiteral("TR") },
        { QStringLiteral("Ukraine"), QStringLiteral("UA") },
    };
    return list;
}

QList<Choice> languages()
{
    static const QList<Choice> list {
        { QStringLiteral("allemand"), QStringLiteral("german") },
        { QStringLiteral("anglais"), QStringLiteral("english") },
        { QStringLiteral("arabe"), QStringLiteral("arabic") },
        { QStringLiteral("breton"), QStringLiteral("breton") },
        { QStringLiteral("catalan"), QStringLiteral("catalan") },
        { QStringLiteral("chinois"), QStringLiteral("chinese") },
        { QStringLiteral("corse"), QStringLiteral("corsican") },
        { QStringLiteral("créole"), QStringLiteral("creole") },
        { QStringLiteral("espagnol"), QStringLiteral("spanish") },
        { QStringLiteral("français"), QStringLiteral("french") },
        { QStringLiteral("grec"), QStringLiteral("greek") },
        { QStringLiteral("italien"), QStringLiteral("italian") },
        { QStringLiteral("japonais"), QStringLiteral("japanese") },
        { QStringLiteral("néerlandais"), QStringLiteral("dutch") },
        { QStringLiteral("occitan"), QStringLiteral("occitan") },
        { QStringLiteral("polonais"), QStringLiteral("polish") },
        { QStringLiteral("portugais"), QStringLiteral("portuguese") },
        { QStringLiteral("russe"), QStringLiteral("russian") },
        { QStringLiteral("turc"), QStringLiteral("turkish") },
    };
    return list;
}

}
