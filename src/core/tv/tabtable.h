#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The tables of the TV window in src/tv/data, compiled into the program:
// UTF-8 text, one row a line, fields separated by tabs, taken exactly as
// written (spaces included). Empty lines and lines beginning with "#" are
// not rows.
namespace TabTable
{

struct Parsed {
    QList<QStringList> rows;
    int errorLine = 0; // 1-based line of the first malformed row; 0 when none
    QString error;

    bool ok() const { return error.isEmpty(); }
};

// Every row must have from minFields to maxFields fields; the first one that
// does not ends the reading, with what was read before.
Parsed parse(QStringView text, int minFields, int maxFields);

// The text of the table `name` compiled into the program; empty when there is none.
QString builtIn(const QString &name);

}
