// orvanel-cli: the command-line program for scripts and batches.
#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <cstdio>

namespace {

const char* kUsage =
    "Usage: orvanel-cli COMMAND [OPTIONS]\n"
    "\n"
    "Stereo pair alignment without a window.\n"
    "\n"
    "Options:\n"
    "  --help       show this text and exit\n"
    "  --version    show the version and exit\n";

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const QString& a = args.first();
    if (a == "--help" || a == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (a == "--version") {
        std::printf("orvanel-cli %s\n", ORVANEL_VERSION);
        return 0;
    }
    std::fprintf(stderr, "orvanel-cli: unknown command '%s'\n%s", qPrintable(a), kUsage);
    return 2;
}
