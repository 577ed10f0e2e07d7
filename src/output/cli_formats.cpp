// Parsing and applying the command line's format options.
#include "output/cli_formats.h"

#include "core/settings.h"
#include "core/stereokinds.h"
#include "output/naming.h"
#include "output/savepass.h"

int ExtraKindOfLetter(const QString& text) {
    const QString t = text.trimmed().toUpper();
    if (t == "MPO") return KindMpo;
    if (t == "HSBS") return KindHsbs;
    if (t == "HOU") return KindHou;
    return -1;
}

int AnaglyphMethodOfText(const QString& text) {
    const QString t = text.trimmed().toLower();
    if (t == "colour" || t == "color") return 0;
    if (t == "half") return 1;
    if (t == "grey" || t == "gray") return 2;
    if (t == "dubois") return 3;
    return -1;
}

bool ParseFormatsOption(const QStringList& args, int& i, tcliformats& f, bool& handled,
                        QString& error) {
    handled = false;
    const QString& o = args[i];
    const bool takesValue = o == "--anaglyph" || o == "--format";
    if (o == "--no-exif") {
        f.noExif = true;
        handled = true;
        return true;
    }
    if (!takesValue) return true;
    // --format bmp and jpg, and a missing value, are the caller's.
    if (o == "--format" && (i + 1 >= args.size() || args[i + 1] == "bmp" || args[i + 1] == "jpg"))
        return true;
    handled = true;
    if (i + 1 >= args.size()) {
        error = QString("option %1 needs a value").arg(o);
        return false;
    }
    const QString v = args[++i];
    if (o == "--anaglyph") {
        f.anaglyph = AnaglyphMethodOfText(v);
        if (f.anaglyph < 0) {
            error = QString("bad anaglyph method '%1' (colour, half, grey or dubois)").arg(v);
            return false;
        }
        return true;
    }
    f.format = OtherFormatExtension(v);
    if (f.format.isEmpty() || v.startsWith('.')) {
        error = QString("bad format '%1' (bmp, jpg, png or tiff)").arg(v);
        return false;
    }
    return true;
}

void ApplyFormatsOptions(const tcliformats& f, const tsettings& settings, bool sizeGiven, int w,
                         int h, tsaveoptions& o) {
    o.anaglyph = f.anaglyph >= 0 ? f.anaglyph : settings.AnaglyphMethod;
    o.exif = settings.KeepExif && !f.noExif;
    o.frameW = sizeGiven ? w : kDefaultFrameW;
    o.frameH = sizeGiven ? h : kDefaultFrameH;
}
