// Writes the header that tells the program which browser engine its module
// is built on. The program does not link the engine, yet the requests that
// stand in for the engine's own must name it as the engine does.
#include <QtWebEngineCore/qtwebenginecoreglobal.h>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s HEADER\n", argv[0]);
        return 2;
    }
    std::FILE *header = std::fopen(argv[1], "w");
    if (!header)
        return 1;
    const int written = std::fprintf(header,
        "#pragma once\n\n#define ONDAVOX_ENGINE_VERSION \"%s\"\n#define ONDAVOX_CHROMIUM_VERSION \"%s\"\n",
        qWebEngineVersion(),
        qWebEngineChromiumVersion());
    // A header cut short must not look written: the build stops here.
    if (std::fclose(header) != 0 || written < 0) {
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}
