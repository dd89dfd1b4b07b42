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
