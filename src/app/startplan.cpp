// The command line's plan carried out over the loader.
#include "app/startplan.h"

#include "input/pictureload.h"

namespace {

// One picture into one view; a picture that fails to load leaves the view
// as it was (the loader has already said why).
bool loadInto(tviewloader& loader, tdisplayhost& host, timg& view, const QString& file) {
    QImage picture;
    QString info = host.Pair().ImageInfo;
    if (!LoadPictureFile(picture, file, info)) return false;
    host.Pair().ImageInfo = info;
    loader.LoadSingleView(picture, view, file, nullptr);
    return true;
}

} // namespace

bool ExecuteStartPlan(const tstartplan& plan, tviewloader& loader, tdisplayhost& host,
                      tsettings& settings, const tparamopener& openParams) {
    tviewpair& pair = host.Pair();
    bool loaded = false;
    switch (plan.action) {
    case tstartaction::None:
        break;
    case tstartaction::OpenParams:
        loaded = openParams && openParams(plan.file1);
        break;
    case tstartaction::LoadLeft:
        loaded = loadInto(loader, host, pair.ImgLeft, plan.file1);
        break;
    case tstartaction::LoadRight:
        loaded = loadInto(loader, host, pair.ImgRight, plan.file1);
        break;
    case tstartaction::LoadPair: {
        const bool left = loadInto(loader, host, pair.ImgLeft, plan.file1);
        const bool right = loadInto(loader, host, pair.ImgRight, plan.file2);
        loaded = left || right;
        break;
    }
    case tstartaction::LoadMpo:
        loaded = loader.LoadMpoPair(plan.file1);
        break;
    case tstartaction::Split: {
        QImage picture;
        QString info = pair.ImageInfo;
        if (LoadPictureFile(picture, plan.file1, info)) {
            pair.ImageInfo = info;
            loaded = loader.SplitByKind(plan.splitKind, picture, plan.file1);
        }
        break;
    }
    }
    ApplyStartPlan(plan, loaded, settings, pair.StereoType);
    if (plan.refreshDisplay || loaded) {
        host.Recompose();
        host.RefreshCaption();
    }
    return loaded;
}
