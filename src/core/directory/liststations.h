#pragma once

#include "core/directory/directorystation.h"

#include <QList>
#include <QStringList>

// The stations of list files, as the directory window shows them.
namespace ListStations
{

struct Read {
    QList<DirectoryStation> stations;
    // The file's name, or how many files there were.
    QString title;
    // What each file's reading left out or why it gave nothing, in French.
    QStringList notes;
};

// Reads every file in turn; takes as long as the files are large.
Read read(const QStringList &paths);

}
