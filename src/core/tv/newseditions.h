#pragma once

#include "core/tv/editiondate.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

// The national and regional editions of the two France 3 news programmes:
// the three address bases and the table of regions (src/tv/data), and the
// addresses built from them for a day.
class NewsEditions
{
public:
    // The two catalogue entries that have editions rather than one address.
    static inline const QString middayName = QStringLiteral("France 3 : Journal de 12h");
    static inline const QString eveningName = QStringLiteral("France 3 : Journal de 19h");
    static bool isNewsProgramme(const QString &name) { return name == middayName || name == eveningName; }

    struct Region {
        QString region; // as the region list shows it
        QString chaine; // empty for a region without an edition
        QString directory;
        QString middayStem;
        QString eveningStem;
        bool eveningDirect = false; // the evening edition is played without the news page
        QString message; // shown instead, for a region without an edition
    };

    // What picking a region gives: an address to play, a message to show, or
    // neither (no region picked, or not one of the two programmes).
    struct Regional {
        std::optional<QString> address;
        QString message;
    };

    QString StreamBase; // mms, ends with "/horsgv/regions/"
    QString NewsPageAddress; // ends with "/publicite/jt-asx.php"
    QString EveningNewsBase; // ends with "/FluxJt/jt20d"
    QList<Region> regions;

    // Nothing, with the reason in `error`, when a base is missing or lacks its
    // ending, or a region row is malformed.
    static std::optional<NewsEditions> parse(QStringView addresses, QStringView regionTable, QString *error);
    // The tables compiled into the program.
    static std::optional<NewsEditions> builtIn(QString *error);

    // `BoutonNat_Click`: the national edition of programme `name`; nothing for
    // any other name.
    std::optional<QString> nationalAddress(const QString &name, const EditionDate &date) const;
    // `region_Click`, with the region list at `position` (-1: nothing picked).
    Regional regionalAddress(const QString &name, int position, const EditionDate &date) const;
};
