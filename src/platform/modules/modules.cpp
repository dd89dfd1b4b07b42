#include "platform/modules/modules.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

namespace Modules
{

QString folderBeside(const QString &programFolder)
{
    return QDir::cleanPath(programFolder + QLatin1Char('/') + QStringLiteral(ONDAVOX_MODULE_PATH));
}

QString folder()
{
    return folderBeside(QCoreApplication::applicationDirPath());
}

QString path(const QString &folder, const QString &name)
{
    return QDir(folder).filePath(name + QStringLiteral(".so"));
}

QObject *load(const QString &folder, const QString &name, QString *error)
{
    const QString file = path(folder, name);
    if (!QFileInfo(file).isFile()) {
        *error = QStringLiteral("module absent : %1").arg(QDir::toNativeSeparators(file));
        return nullptr;
    }
    // Never unloaded: the root object and what it made live until the end.
    QPluginLoader loader(file);
    QObject *root = loader.instance();
    if (!root)
        *error = QStringLiteral("module illisible : %1 (%2)").arg(QDir::toNativeSeparators(file), loader.errorString());
    return root;
}

QObject *load(const QString &name, QString *error)
{
    return load(folder(), name, error);
}

QString wrongKindText(const QString &path)
{
    return QStringLiteral("module d'une autre sorte : %1").arg(QDir::toNativeSeparators(path));
}

} // namespace Modules
