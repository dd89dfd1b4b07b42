#pragma once

#include "core/state/preferences.h"

#include <QObject>
#include <QString>

// The program-wide values: the fields of the hidden store window `Annexe`, the
// current address, the display name, the status line and the mode word. Every
// window reads and writes them here and shows them; none keeps a copy.
class StateStore : public QObject
{
    Q_OBJECT

public:
    explicit StateStore(QObject *parent = nullptr);

    // Annexe
    QString chemin() const { return m_chemin; }
    void setChemin(const QString &value) { assign(m_chemin, value, &StateStore::cheminChanged); }
    QString disque() const { return m_disque; }
    void setDisque(const QString &value) { assign(m_disque, value, &StateStore::disqueChanged); }
    QString data() const { return m_data; }
    void setData(const QString &value) { assign(m_data, value, &StateStore::dataChanged); }
    QString dataTV() const { return m_dataTV; }
    void setDataTV(const QString &value) { assign(m_dataTV, value, &StateStore::dataTVChanged); }
    QString modeEcran() const { return m_modeEcran; }
    void setModeEcran(const QString &value) { assign(m_modeEcran, value, &StateStore::modeEcranChanged); }
    QString m3u() const { return m_m3u; }
    void setM3u(const QString &value) { assign(m_m3u, value, &StateStore::m3uChanged); }

    // Options.Curl, Radio.Lecture, Radio.Divers, Radio.RadioTv
    QString curl() const { return m_curl; }
    void setCurl(const QString &value) { assign(m_curl, value, &StateStore::curlChanged); }
    QString lecture() const { return m_lecture; }
    void setLecture(const QString &value) { assign(m_lecture, value, &StateStore::lectureChanged); }
    QString divers() const { return m_divers; }
    void setDivers(const QString &value) { assign(m_divers, value, &StateStore::diversChanged); }
    QString radioTv() const { return m_radioTv; }
    void setRadioTv(const QString &value) { assign(m_radioTv, value, &StateStore::radioTvChanged); }

    // The option controls of `Options`: the only copy of the preferences during the run.
    const Preferences &preferences() const { return m_preferences; }
    void setPreferences(const Preferences &value);

    // Where the user's own files live ("ovxpref.log", "Favoris.log", the playlist).
    QString userFolder() const { return m_userFolder; }
    void setUserFolder(const QString &value) { m_userFolder = value; }

    // Full path of a file of the installation folder, given as the catalogues give it
    // ("\logos\bfm.gif" or "/logos/bfm.gif").
    QString installPath(const QString &relative) const;
    QString userPath(const QString &fileName) const;

Q_SIGNALS:
    void cheminChanged(const QString &value);
    void disqueChanged(const QString &value);
    void dataChanged(const QString &value);
    void dataTVChanged(const QString &value);
    void modeEcranChanged(const QString &value);
    void m3uChanged(const QString &value);
    void curlChanged(const QString &value);
    void lectureChanged(const QString &value);
    void diversChanged(const QString &value);
    void radioTvChanged(const QString &value);
    void preferencesChanged(const Preferences &value);

private:
    void assign(QString &field, const QString &value, void (StateStore::*changed)(const QString &))
    {
        if (field == value)
            return;
        field = value;
        Q_EMIT(this->*changed)(value);
    }

    QString m_chemin;
    QString m_disque;
    QString m_data;
    QString m_dataTV;
    QString m_modeEcran = QStringLiteral("Normal");
    QString m_m3u;
    QString m_curl;
    QString m_lecture = QStringLiteral("Ondavox");
    QString m_divers;
    QString m_radioTv;
    Preferences m_preferences;
    QString m_userFolder;
};
