#include "core/state/extrasettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace
{

const QByteArray titleNotificationsKey = "notifications-titres";

} // namespace

ExtraSettings::ExtraSettings(const QString &path)
    : m_path(path)
{
}

bool ExtraSettings::load()
{
    QFile file(m_path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Lines of other names (from a later version) are skipped.
    for (const QByteArray &line : file.readAll().split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals < 0)
            continue;
        const QByteArray name = line.left(equals).trimmed();
        const QByteArray value = line.mid(equals + 1).trimmed();
        if (name == titleNotificationsKey)
            m_titleNotifications = value == "1";
    }
    return true;
}

bool ExtraSettings::save() const
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(titleNotificationsKey + '=' + (m_titleNotifications ? "1" : "0") + '\n');
    return file.commit();
}
