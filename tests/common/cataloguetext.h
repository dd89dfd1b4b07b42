#pragma once

#include <QString>
#include <QStringList>

// Catalogue texts as the start-up loader leaves them: every line followed by CR LF.
inline QString catalogueText(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

// A well-formed radio record line (at least 29 characters).
inline QString radioRecord(int number,
    const QString &category,
    const QString &name,
    const QString &language = {},
    const QString &information = QStringLiteral("Variétés"))
{
    return QStringLiteral("%1*%2*0*%3*http://stream.example/%3*\\logos\\%3.png*%4*%5*")
        .arg(QString::number(number), category, name, information, language);
}

inline const QString radioHeader = QStringLiteral("Ondavox radio catalogue*version*1*");

// `admitted` French music stations ("radio"), each followed by a foreign news
// station ("radio-info") that the radio browser's "Toutes" does not list, so
// that the k-th entry listed is record 2k - 1.
inline QString interleavedRadioCatalogue(int admitted)
{
    QStringList lines { radioHeader };
    for (int k = 1; k <= admitted; ++k) {
        lines.append(radioRecord(2 * k - 1, QStringLiteral("radio"), QStringLiteral("S%1").arg(k)));
        lines.append(radioRecord(2 * k, QStringLiteral("radio-info"), QStringLiteral("N%1").arg(k), "anglais"));
    }
    lines.append(QString());
    return catalogueText(lines);
}

// A well-formed TV record line; its picture is "\logos\tv<number>.png".
inline QString tvRecord(int number,
    const QString &category,
    const QString &name,
    const QString &address = {},
    const QString &language = {},
    const QString &datedFlag = {},
    const QString &information = QStringLiteral("Magazine"))
{
    const QString stream = address.isEmpty() ? QStringLiteral("http://tv.example/%1.wmv").arg(number) : address;
    return QStringLiteral("%1*%2*%3*%4*\\logos\\tv%1.png*%5*%6*%7*")
        .arg(QString::number(number), category, name, stream, language, information, datedFlag);
}

inline const QString tvHeader = QStringLiteral("Ondavox TV catalogue*version*1*");
