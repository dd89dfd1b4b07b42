// The fuzz targets built without libFuzzer, by any compiler: each file named
// on the command line (or each file of a folder named there) goes through the
// target once. The test build runs every target over its seeds, so that a
// target that no longer builds, or a seed that breaks a property, fails the
// suite and not only a fuzzing session.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

int main(int argc, char *argv[])
{
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        QStringList files;
        const QString path = QFile::decodeName(argv[i]);
        if (QFileInfo(path).isDir()) {
            QDirIterator found(path, QDir::Files, QDirIterator::Subdirectories);
            while (found.hasNext())
                files << found.next();
            files.sort();
        } else {
            files << path;
        }
        for (const QString &name : files) {
            QFile file(name);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(name));
                return 1;
            }
            const QByteArray input = file.readAll();
            std::fprintf(stderr, "%s\n", qPrintable(name));
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(input.constData()), size_t(input.size()));
            ++count;
        }
    }
    std::fprintf(stderr, "%d inputs, no property broken\n", count);
    return count > 0 ? 0 : 1;
}
