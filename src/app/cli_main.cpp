// orvanel-cli: the command-line program for scripts and batches.
#include "app/cli_align.h"
#include "output/folderpairs.h"
#include "output/rendercommand.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <cstdio>

namespace {

const char* kUsage = "Usage: orvanel-cli COMMAND [OPTIONS]\n"
                     "\n"
                     "Stereo pair alignment without a window.\n"
                     "\n"
                     "Options:\n"
                     "  --help       show this text and exit\n"
                     "  --version    show the version and exit\n"
                     "\n"
                     "Commands:\n";

void PrintUsage(std::FILE* to) {
    std::fputs(kUsage, to);
    std::fputs(AlignUsage, to);
    std::fputs(RenderUsage, to);
    std::fputs(PairDirsUsage, to);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        PrintUsage(stderr);
        return 2;
    }
    const QString& a = args.first();
    if (a == "--help" || a == "-h") {
        PrintUsage(stdout);
        return 0;
    }
    if (a == "--version") {
        std::printf("orvanel-cli %s\n", ORVANEL_VERSION);
        return 0;
    }
    if (a == "align") return RunAlignCommand(args.mid(1));
    if (a == "render") return RunRenderCommand(args.mid(1), stdout, stderr);
    if (a == "pair-dirs") return RunPairDirsCommand(args.mid(1), stdout, stderr);
    std::fprintf(stderr, "orvanel-cli: unknown command '%s'\n", qPrintable(a));
    PrintUsage(stderr);
    return 2;
}
