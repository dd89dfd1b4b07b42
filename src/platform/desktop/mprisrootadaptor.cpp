#include "platform/desktop/mprisrootadaptor.h"

#include "platform/desktop/mprisservice.h"

MprisRootAdaptor::MprisRootAdaptor(MprisService &service)
    : QDBusAbstractAdaptor(&service)
    , m_service(service)
{
}

QStringList MprisRootAdaptor::supportedUriSchemes() const
{
    return { QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("mms"), QStringLiteral("file") };
}

QStringList MprisRootAdaptor::supportedMimeTypes() const
{
    return { QStringLiteral("audio/mpeg"),
        QStringLiteral("audio/aac"),
        QStringLiteral("audio/ogg"),
        QStringLiteral("audio/x-mpegurl"),
        QStringLiteral("audio/x-scpls"),
        QStringLiteral("application/vnd.apple.mpegurl"),
        QStringLiteral("video/mp4"),
        QStringLiteral("video/x-flv") };
}

void MprisRootAdaptor::Raise()
{
    m_service.raise();
}

void MprisRootAdaptor::Quit()
{
    m_service.quit();
}
