#include "account.h"

#include <QDirIterator>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>

Account Account::forPlayers()
{
    Account account;
    const passwd *user = ::geteuid() == 0 ? ::getpwnam("nobody") : ::getpwuid(::geteuid());
    if (!user)
        user = ::getpwuid(::geteuid());
    account.m_uid = user->pw_uid;
    account.m_gid = user->pw_gid;
    account.m_name = QString::fromLocal8Bit(user->pw_name);
    account.m_switch = account.m_uid != ::geteuid();
    return account;
}

bool Account::take(const QString &path) const
{
    if (!m_switch)
        return true;
    bool ok = ::chown(path.toLocal8Bit().constData(), m_uid, m_gid) == 0;
    QDirIterator it(path, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        ok = ::chown(it.next().toLocal8Bit().constData(), m_uid, m_gid) == 0 && ok;
    return ok;
}

std::unique_ptr<QProcess> Account::start(const QString &program,
    const QStringList &arguments,
    const QProcessEnvironment &environment,
    bool asAccount,
    QString *error,
    const QString &outputFile) const
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment);
    process->setStandardOutputFile(outputFile.isEmpty() ? QProcess::nullDevice() : outputFile);
    process->setStandardErrorFile(QProcess::nullDevice());
    const bool change = asAccount && m_switch;
    const uid_t uid = m_uid;
    const gid_t gid = m_gid;
    // Runs in the child between fork and exec: system calls only.
    process->setChildProcessModifier([change, uid, gid] {
        ::setpgid(0, 0);
        if (change && (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0))
            ::_exit(126);
    });
    process->start(program, arguments);
    if (!process->waitForStarted(5000)) {
        if (error)
            *error = QStringLiteral("%1 did not start: %2").arg(program, process->errorString());
        return {};
    }
    return process;
}
