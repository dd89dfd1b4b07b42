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
