// The command-line options of the camera formats and today's viewers:
// --anaglyph, --no-exif, the png and tiff formats and the kind letters MPO,
// HSBS and HOU.
#pragma once

#include <QString>
#include <QStringList>

struct tsettings;
struct tsaveoptions;

// The options as given; -1 or unset where the settings decide.
struct tcliformats {
    int anaglyph = -1;   // --anaglyph: 0 colour, 1 half, 2 grey, 3 dubois
    bool noExif = false; // --no-exif
    QString format;      // --format png or tiff: ".png" or ".tif"; empty otherwise
};

// The kind code of an added kind letter (MPO, HSBS, HOU, any case); -1 else.
int ExtraKindOfLetter(const QString& text);

// The anaglyph method of a word (colour, half, grey, dubois); -1 else.
int AnaglyphMethodOfText(const QString& text);

// Reads args[i] when it is one of these options (moving i past its value)
// and sets `handled`; false with the usage message in `error` on a bad
// value. Other options are left to the caller (handled false, true result).
bool ParseFormatsOption(const QStringList& args, int& i, tcliformats& f, bool& handled,
                        QString& error);

// The whole frame of HSBS and HOU without --size: a full-HD television's.
constexpr int kDefaultFrameW = 1920;
constexpr int kDefaultFrameH = 1080;

// The options of the pass from these choices and the settings: the anaglyph
// method and the EXIF choice (the settings' unless given), and the whole
// frame of the half kinds (`size` when given, else 1920 x 1080).
void ApplyFormatsOptions(const tcliformats& f, const tsettings& settings, bool sizeGiven, int w,
                         int h, tsaveoptions& o);
