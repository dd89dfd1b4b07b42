#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// What every fuzz target shares: the input as Qt sees it, and the property
// checks, which stop the run on the input that breaks them, as a crash does,
// so that libFuzzer keeps that input and says where it is.
namespace Fuzzing
{

inline QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// The input cut in two at its first line feed: a parameter, then the text.
struct Split {
    QByteArray head;
    QByteArray rest;
};

inline Split split(const QByteArray &input)
{
    const qsizetype lineFeed = input.indexOf('\n');
    if (lineFeed < 0)
        return { input, {} };
    return { input.first(lineFeed), input.sliced(lineFeed + 1) };
}

// Pairs of bytes as UTF-16 code units, halves of characters included, as
// text that reaches us through Qt can hold them.
inline QString utf16(const QByteArray &input)
{
    return QString(reinterpret_cast<const QChar *>(input.constData()), input.size() / 2);
}

[[noreturn]] inline void fail(const char *property, const char *file, int line, const QString &detail)
{
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, property);
    if (!detail.isEmpty())
        std::fprintf(stderr, "  with: %s\n", detail.toUtf8().constData());
    std::abort();
}

}

#define FUZZ_CHECK(condition, detail)                                                                                  \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            Fuzzing::fail(#condition, __FILE__, __LINE__, (detail));                                                   \
    } while (false)
