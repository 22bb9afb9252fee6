// Writes the built-in English texts as a language file:
//   ostrakel-lng-gen data/English.lng
#include "app/LanguageTable.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    // An option is never a file name: "--help" must not become a file called "--help".
    if (args.size() != 2 || args.at(1).startsWith(u'-')) {
        std::fprintf(stderr, "Usage: ostrakel-lng-gen FILE.lng\n");
        return 2;
    }
    LanguageTable table;
    if (!table.save(args.at(1))) {
        std::fprintf(stderr, "%s\n", qPrintable(table.errorString()));
        return 1;
    }
    return 0;
}
