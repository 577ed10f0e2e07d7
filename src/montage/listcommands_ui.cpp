// The list commands of the Montage window and the display of list entries.
#include "montage/listcommands_ui.h"

#include "input/mpofile.h"

#include "core/paramfile.h"
#include "core/settings.h"
#include "display/tformmain.h"
#include "lists/slideshow.h"
#include "lists/tformdiaporama.h"
#include "lists/tformdirimg.h"
#include "lists/tformlist.h"
#include "montage/paramhost_ui.h"
#include "montage/programwindows_ui.h"

#include <QToolButton>

namespace {

// Each call takes the display window of the moment from the window table.
class tformlistdisplay : public tlistdisplay {
public:
    void SetFileNames(const QString& left, const QString& right, int kind) override {
        tviewpair& pair = AppWindows.FormMain->Pair;
        pair.ImgLeft.filename = left;
        pair.ImgRight.filename = right;
        pair.StereoType = kind;
    }
    void ReadParamFile(const QString& fileName, bool withImages) override {
        tformparamhost host(*AppWindows.FormMain);
        ReadParams(AppWindows.FormMain->Pair, fileName, withImages, host, Settings);
    }
    void LoadViews(int kind) override {
        TFormMain& main = *AppWindows.FormMain;
        tviewpair& pair = main.Pair;
        const QString left = pair.ImgLeft.filename;
        QString right = pair.ImgRight.filename;
        // A camera's MPO file is the whole pair, whatever list it is in.
        if (IsMpoFileName(left) && kind != KindPair) {
            right = left;
            kind = KindPair;
        }
        // Each entry is a new pair: the pictures and the alignment of the one
        // before go, so an entry that cannot be read shows black, not the last pair.
        main.ClearView(pair.ImgLeft);
        main.ClearView(pair.ImgRight);
        pair.ImgLeft.filename = left;
        pair.ImgRight.filename = right;
        pair.StereoType = kind;
        main.ResetViews();
        tformparamhost(main).ReloadViews(kind);
    }
    void Refresh() override {
        AppWindows.FormMain->FitAndCompose();
        AppWindows.FormMain->UpdateCaption();
    }
};

TFormDiaporama* Diaporama() {
    return qobject_cast<TFormDiaporama*>(AppWindows.FormDiaporama);
}

void Present(QWidget* w) {
    if (!w) return;
    w->show();
    w->raise();
    w->activateWindow();
}

void ShowList() {
    Present(AppWindows.FormList);
}

} // namespace

tlistdisplay& ListDisplay() {
    static tformlistdisplay display;
    return display;
}

void BindListCommands(QWidget* montage,
                      const std::function<void(const char*, std::function<void()>)>& bind) {
    auto ready = [] { return Diaporama() && Diaporama()->Diaporama.Ready; };
    bind("MenuFile_OpenList", ShowList);
    bind("MenuList_Open", ShowList);
    auto next = [ready] {
        if (ready())
            Diaporama()->NextEntry();
        else
            ShowList();
    };
    bind("MenuFile_Next", next);
    bind("MenuList_Next", next);
    bind("MenuList_Pred", [ready] {
        if (ready())
            Diaporama()->PreviousEntry();
        else
            ShowList();
    });
    bind("MenuList_Execute", [ready] {
        if (ready())
            Diaporama()->StartSlideshow();
        else
            ShowList();
    });
    bind("MenuList_Continue", [ready] {
        if (!Diaporama()) return;
        if (!ready()) Diaporama()->ExecOptions();
        if (ready()) Diaporama()->ContinueSlideshow();
    });
    bind("MenuList_Stop", [] {
        if (Diaporama()) Diaporama()->StopSequence();
    });
    bind("MenuList_SaveBatch", [] {
        if (Diaporama()) Diaporama()->SaveBatchCommand();
    });
    if (auto* sorter = montage->findChild<QToolButton*>(QStringLiteral("SpeedButton3"))) {
        sorter->setEnabled(true);
        QObject::connect(sorter, &QToolButton::clicked, montage,
                         [] { Present(AppWindows.FormDirImg); });
    }
}
