#include "core/state/statestore.h"

StateStore::StateStore(QObject *parent)
    : QObject(parent)
{
}

void StateStore::setPreferences(const Preferences &value)
{
    if (m_preferences == value)
        return;
    m_preferences = value;
    Q_EMIT preferencesChanged(m_preferences);
}

QString StateStore::installPath(const QString &relative) const
{
    QString path = relative;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!path.startsWith(QLatin1Char('/')))
        path.prepend(QLatin1Char('/'));
    return m_chemin + path;
}

QString StateStore::userPath(const QString &fileName) const
{
    return m_userFolder + QLatin1Char('/') + fileName;
}
