#pragma once

#include <QProcess>
#include <QString>
#include <memory>
#include <sys/types.h>

// Who the players run as: "nobody" when the benchmark runs as root (as a
// desktop user would, with the browser engine's sandbox on), otherwise the
// benchmark's own user.
class Account
{
public:
    static Account forPlayers();

    QString name() const { return m_name; }
    // Makes `path` (and, for a folder, what it holds) this account's.
    bool take(const QString &path) const;
    // Starts `program` in a process group of its own, as this account when
    // `asAccount` is set, with exactly `environment`; its standard output goes
    // to `outputFile` (if any), everything else it says is dropped.
    std::unique_ptr<QProcess> start(const QString &program,
        const QStringList &arguments,
        const QProcessEnvironment &environment,
        bool asAccount,
        QString *error,
        const QString &outputFile = {}) const;

private:
    uid_t m_uid = 0;
    gid_t m_gid = 0;
    QString m_name;
    bool m_switch = false;
};
