#pragma once

#include <QObject>
#include <QStringList>

// The running program's door on the session bus for station lists opened
// from a file manager: `ondavox FILE` while Ondavox runs hands FILE to it
// rather than starting a second program, which would keep a copy of the
// favourites of its own and write it over the first one's. Without a
// session bus each start is a program of its own, as before.
class InstanceChannel : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "fr.ondavox.Ondavox")

public:
    static const QString serviceName;
    static const QString objectPath;

    explicit InstanceChannel(QObject *parent = nullptr);
    ~InstanceChannel() override;

    // Takes the name on the session bus. False when there is no bus or
    // another Ondavox holds it.
    bool open();
    // Hands the files, by their absolute paths, to the Ondavox that holds the
    // name. False when none does or it did not answer in time.
    static bool forward(const QStringList &paths);

public Q_SLOTS:
    Q_SCRIPTABLE void OpenStationLists(const QStringList &paths);

Q_SIGNALS:
    void stationListsReceived(const QStringList &paths);

private:
    bool m_open = false;
};
