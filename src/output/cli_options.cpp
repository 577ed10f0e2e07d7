// Options the command-line commands share: settings, band, absolute paths.
#include "output/cli_options.h"

#include "core/regularfile.h"

#include "core/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QRect>

namespace {

// The settings windows the command line does not have.
class tnowindows : public twindowlist {
public:
    int WindowCount() const override { return 0; }
    QString WindowName(int) const override { return {}; }
    bool WindowVisible(int) const override { return false; }
    QRect WindowBounds(int) const override { return {}; }
    void ApplyWindow(int, bool, const QRect*) override {}
    void SetWindowMarker(int, int) override {}
};

// The widest band a picture the program holds can have.
constexpr int kMaxBand = 1 << 20;

} // namespace

bool ParseBandOption(const QString& text, tbandoption& band, QString& error) {
    if (text == QLatin1String("auto")) {
        band.mode = tbandoption::tmode::Automatic;
        return true;
    }
    bool ok = false;
    const int width = text.trimmed().toInt(&ok);
    if (!ok || width < 0 || width > kMaxBand) {
        error = QStringLiteral("bad band '%1' (a width in pixels, 0 or more, or auto)").arg(text);
        return false;
    }
    band.mode = tbandoption::tmode::Width;
    band.width = width;
    return true;
}

void ApplyBandOption(const tbandoption& band, tsettings& settings) {
    switch (band.mode) {
    case tbandoption::tmode::Settings:
        break;
    case tbandoption::tmode::Width:
        // The manual width, used as given.
        settings.ExtractOption = 2;
        settings.OpenSepar = band.width;
        break;
    case tbandoption::tmode::Automatic:
        settings.ExtractOption = 3;
        break;
    }
}

bool ParseRatioOption(const QString& text, int& ratioW, int& ratioH, QString& error) {
    const QStringList parts = text.split(QLatin1Char(':'));
    int v[2] = {0, 0};
    bool ok = parts.size() == 2;
    for (int i = 0; ok && i < 2; ++i) {
        v[i] = parts[i].trimmed().toInt(&ok);
        // Terms beyond any picture size would only overflow the ratio products.
        ok = ok && v[i] >= 1 && v[i] <= (1 << 20);
    }
    if (!ok) {
        error = QString("bad ratio '%1' (expected W:H)").arg(text);
        return false;
    }
    ratioW = v[0];
    ratioH = v[1];
    return true;
}

bool CheckSettingsOptions(const QString& file, bool noIni, QString& error) {
    if (!file.isEmpty() && noIni) {
        error = QStringLiteral("--settings and --noini exclude each other");
        return false;
    }
    if (!file.isEmpty()) {
        const tfilestate state = ProbeRegularFile(file);
        if (state == tfilestate::Missing) {
            error = QStringLiteral("settings file '%1' not found").arg(file);
            return false;
        }
        if (state != tfilestate::Regular) {
            error = QStringLiteral("settings file '%1': %2").arg(file, FileStateText(state));
            return false;
        }
    }
    return true;
}

void LoadCommandSettings(tsettings& settings, const QString& file, bool noIni) {
    settings = tsettings();
    if (noIni) return;
    tnowindows windows;
    tsettingsenv env = CurrentSettingsEnv(QSize());
    if (!file.isEmpty()) env.file = file;
    LoadSettings(settings, windows, env);
}

QString AbsolutePath(const QString& path) {
    return path.isEmpty() ? path : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}
