// The command line's actions on the display window.
#include "app/commandline_ui.h"

#include "app/appwindows_ui.h"
#include "app/startplan.h"
#include "core/settings.h"
#include "display/tformmain.h"
#include "montage/paramhost_ui.h"

void ProcessCommandLine(const QStringList& args) {
    if (args.isEmpty()) return;
    TFormMain& main = *AppWindows.FormMain;
    const tstartplan plan = PlanCommandLine(args, main.Pair.StereoType);
    tviewloader loader(main.DisplayHost);
    ExecuteStartPlan(plan, loader, main.DisplayHost, Settings, OpenParamFileWithImages);
    main.FitAndCompose();
    main.UpdateCaption();
}
