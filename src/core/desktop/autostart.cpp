#include "core/desktop/autostart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

namespace
{

const QString entryName = QStringLiteral("ondavox.desktop");

bool isReserved(QChar c)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    return reserved.contains(c);
}

// The Exec key is a string value: its own escapes apply on top of the quoting
// of the arguments, so a backslash of a quoted argument ends up as four.
QString escapeStringValue(const QString &value)
{
    QString escaped;
    for (const QChar c : value) {
        switch (c.unicode()) {
        case u'\\':
            escaped += QStringLiteral("\\\\");
            break;
        case u'\n':
            escaped += QStringLiteral("\\n");
            break;
        case u'\t':
            escaped += QStringLiteral("\\t");
            break;
        case u'\r':
            escaped += QStringLiteral("\\r");
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

} // namespace

namespace Autostart
{

QString entryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/autostart/")
        + entryName;
}

QString quoteExecArgument(const QString &argument)
{
    const bool quoted = argument.isEmpty() || std::any_of(argument.cbegin(), argument.cend(), isReserved);
    QString result;
    if (quoted)
        result += QLatin1Char('"');
    for (const QChar c : argument) {
        if (c == u'%')
            result += QLatin1Char('%');
        else if (quoted && (c == u'"' || c == u'`' || c == u'$' || c == u'\\'))
            result += QLatin1Char('\\');
        result += c;
    }
    if (quoted)
        result += QLatin1Char('"');
    return result;
}

QString desktopEntry(const QString &programPath)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Ondavox\n"
                          "Comment=Radio et télévision par Internet\n"
                          "Icon=ondavox\n"
                          "Exec=%1\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(escapeStringValue(quoteExecArgument(programPath)));
}

bool Ajoutedem(const QString &programPath)
{
    const QString path = entryPath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(desktopEntry(programPath).toUtf8());
    return file.commit();
}

bool Enlevedem()
{
    QFile entry(entryPath());
    return !entry.exists() || entry.remove();
}

bool apply(int check1)
{
    if (check1 == 1)
        return Ajoutedem(QFileInfo(QCoreApplication::applicationFilePath()).absoluteFilePath());
    return Enlevedem();
}

}
