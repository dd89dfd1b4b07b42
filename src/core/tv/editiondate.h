#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <optional>

// The day a dated programme is played for, from the TV window's lists `Jour`
// and `Mois` (list positions: 0 is the 1st, 0 is January). There is no year
// list: the year is always the current one, so "31" "Décembre" chosen in
// January is the coming 31 December, not the last one.
struct EditionDate {
    QString editionDay; // "05", "31"
    QString editionMonth; // "01", "12"
    QString editionYear; // "2007"

    // No check that the day exists in that month: "31" "Février" gives "31", "02".
    static EditionDate ReadEditionDate(int jourPosition, int moisPosition, int year);

    // The date in the layout of a date code: "JMA" 051207, "JMB" 05122007,
    // "AMJ" 071205, "BMJ" 20071205 (5 December 2007); nothing for any other code.
    std::optional<QString> dateText(QStringView code) const;
};

// The address of a dated programme with its date put in. A placeholder is "¤"
// followed by a three-letter date code. A second placeholder takes the first
// one's layout, whatever its own letters; with an unknown first code, the date
// is left out, and with a second placeholder everything from the first one on
// is dropped. A third placeholder stays as it is, and an address without any
// is returned unchanged.
QString TraiteDate(const QString &address, const EditionDate &date);

// The list positions the date lists start at: today, or yesterday when
// `check3` is not 0. Stepping back from the 1st always gives the 31st of the
// month before, whatever its length.
struct DateListPositions {
    int Mois = 0;
    int Jour = 0;
    bool operator==(const DateListPositions &) const = default;
};
DateListPositions CalcDate(QDate today, int check3);
