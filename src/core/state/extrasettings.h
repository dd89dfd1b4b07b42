#pragma once

#include <QString>

// The settings of what Ondavox adds to the program, in a small file of their
// own beside the preferences (whose record has a fixed layout): one
// "name=value" line each. A missing or unreadable file gives the defaults.
class ExtraSettings
{
public:
    static inline const QString fileName = QStringLiteral("Ondavox.conf");

    explicit ExtraSettings(const QString &path = QString());

    QString path() const { return m_path; }
    // False when the file exists but could not be read: the defaults stay.
    bool load();
    // Replaces the file in one step; false when it could not be written.
    bool save() const;

    bool titleNotifications() const { return m_titleNotifications; }
    void setTitleNotifications(bool on) { m_titleNotifications = on; }

private:
    QString m_path;
    bool m_titleNotifications = false;
};
