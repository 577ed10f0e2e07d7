// Start-up sequence of the desktop program.
#include "app/startup_ui.h"

#include "aids/precisbitmaps.h"
#include "app/appwindows_ui.h"
#include "app/commandline_ui.h"
#include "app/cursors_ui.h"
#include "app/desktop_ui.h"
#include "app/qttranslation.h"
#include "core/jpegdefaults.h"
#include "core/runflags.h"
#include "core/settings.h"
#include "core/stereokinds.h"
#include "display/tformmain.h"
#include "engine/transform.h"
#include "input/userreport.h"
#include "montage/exchange_ui.h"
#include "lng/lngwidgets_ui.h"
#include "montage/windowlist_ui.h"
#include "output/tformopjpeg.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QResizeEvent>
#include <QThread>

#include <algorithm>
#include <cstdio>

void InitSettingsUnit() {
    gBusy = false;
    Settings.VisionMode = 0;
    Settings.GridIndex = 1;
    // The smoothed drawing may share its rows among the cores while the
    // interface waits for it; the picture is the same with any count.
    SetEngineThreads(std::max(1, QThread::idealThreadCount()));
    RegisterProgramCursors();
    LoadPrecisBitmaps();
    InitStereoKinds();
}

QString ApplySettingsLanguage() {
    const QString path = LngFilePath(DefaultLngFolders(), Settings.LngFileName);
    QString message;
    // No language file yet (the first start) keeps the French interface
    // quietly; a damaged one keeps it too and says why.
    if (ApplyLanguageFile(path, &message) || !QFileInfo::exists(path)) return QString();
    std::fprintf(stderr, "orvanel: %s\n", qPrintable(message));
    return message;
}

int WriteLanguageAndExit(const QString& file) {
    InitSettingsUnit();
    CreateWindows();
    LoadSettings(Settings, AppWindowList(), AppSettingsEnv(), {});
    ApplySettingsLanguage();
    QString message;
    const bool ok = SaveLanguageFile(QFileInfo(file).absoluteFilePath(), &message);
    if (!ok) std::fprintf(stderr, "orvanel: %s\n", qPrintable(message));
    DestroyWindows();
    return ok ? 0 : 1;
}

void StartProgram(const QStringList& args) {
    InitSettingsUnit();
    CreateWindows();
    // From here on the loaders' messages and hour-glass go to the display window.
    SetUserReport(&AppWindows.FormMain->DisplayHost);
    tappwindowlist& windows = AppWindowList();
    LoadSettings(Settings, windows, AppSettingsEnv(), args);
    // The JPEG options window starts from its defaults, with the subsampling
    // flags the settings keep; its controls show what JpegDefaults holds.
    if (auto* options = qobject_cast<TFormOpJpeg*>(AppWindows.FormOpJpeg))
        options->ResetJpegOptions();
    else
        ResetJpegOptions(JpegDefaults, Settings.JpegHSampling, Settings.JpegVSampling);
    const QString languageProblem = ApplySettingsLanguage();
    gStarted = true;
    SetClipboardHook(Settings.ClipboardHook);

    // One layout notification per window, with the settings in place.
    for (QWidget* w : AppWindows.InOrder()) {
        QResizeEvent e(w->size(), w->size());
        QCoreApplication::sendEvent(w, &e);
    }

    if (Settings.DesktopType == 255) {
        Settings.DesktopType = 0;
        ArrangeDesktop();
    } else {
        for (int i = 0; i < windows.WindowCount(); ++i) {
            QWidget* w = AppWindows.InOrder()[i];
            if (windows.Marker(i) == 1)
                w->show();
            else
                w->hide();
        }
    }

    // Said once the windows are up, in the French they kept.
    if (!languageProblem.isEmpty()) UserReport().ShowMessage(languageProblem);
    ProcessCommandLine(args);
}

int RunApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanel-3D"));
    QApplication::setApplicationVersion(QStringLiteral(ORVANEL_VERSION));
    // The program speaks French, and so do Qt's buttons and dialogs.
    InstallQtFrench();
    // The program ends when one of its two main windows allows it, not when
    // the last window happens to close.
    QApplication::setQuitOnLastWindowClosed(false);
    const QStringList args = app.arguments().mid(1);
    const int write = args.indexOf(QStringLiteral("--write-lng"));
    if (write >= 0) {
        if (write + 1 >= args.size()) {
            std::fprintf(stderr, "orvanel: --write-lng needs the name of the file to write.\n");
            return 2;
        }
        return WriteLanguageAndExit(args[write + 1]);
    }
    StartProgram(args);
    int rc = app.exec();
    DestroyWindows();
    return rc;
}
