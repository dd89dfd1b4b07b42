#pragma once

#include <QtGlobal>

// Bytes that the media engine reads as a file, on a thread of its own: the
// start-up stream's connection, opened before the engine was loaded. A plain
// interface, so that it crosses into the player module as it is.
class StreamSource
{
public:
    virtual ~StreamSource() = default;

    // Bytes read into `data`: waits until there are some; 0 once the source
    // has ended and all was read; -1 after cancel().
    virtual qint64 read(char *data, qint64 size) = 0;
    // Interrupts a read and makes every later one fail. From any thread.
    virtual void cancel() = 0;
};
