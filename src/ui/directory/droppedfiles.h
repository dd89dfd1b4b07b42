#pragma once

#include <QStringList>

class QMimeData;

// The local files among what a file manager drops; none for anything else.
QStringList droppedFiles(const QMimeData *data);
