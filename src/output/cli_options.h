// Options the command-line commands share: the settings they read, the band
// between the views of a composite, and paths made absolute before any work.
#pragma once

#include <QString>

struct tsettings;

// --band: the settings' `ExtractOption` when not given, a width in pixels
// (N >= 0), or "auto", the automatic measure.
struct tbandoption {
    enum class tmode { Settings, Width, Automatic };
    tmode mode = tmode::Settings;
    int width = 0;
};

// Reads the value of --band; false with the usage message in `error`.
bool ParseBandOption(const QString& text, tbandoption& band, QString& error);

// Makes every split of the run follow the option: a composite given on the
// command line and one a parameter file reloads are cut alike.
void ApplyBandOption(const tbandoption& band, tsettings& settings);

// --ratio W:H, two whole numbers of at least 1; false with the usage message
// in `error`.
bool ParseRatioOption(const QString& text, int& ratioW, int& ratioH, QString& error);

// --settings FILE and --noini: not both, and FILE must exist; false with the
// usage message in `error`.
bool CheckSettingsOptions(const QString& file, bool noIni, QString& error);

// The settings of a command, read and never written back: the defaults with
// `noIni`, else `file` when given, else the user's settings file.
void LoadCommandSettings(tsettings& settings, const QString& file, bool noIni);

// The absolute form of a path given on the command line, fixed before the
// first pair: the save pass moves the current folder. Empty stays empty.
QString AbsolutePath(const QString& path);
