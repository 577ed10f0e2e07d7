// The clipboard commands and the drops: the system clipboard and Qt's drop
// events read into an exchange content, the rules applied to the views.
#include "montage/exchange_ui.h"

#include "core/qimageview.h"
#include "core/settings.h"
#include "core/stereokinds.h"
#include "display/clipboardmonitor_ui.h"
#include "display/tformmain.h"
#include "input/pictureexchange.h"
#include "input/tformdragdropoptions.h"
#include "montage/paramhost_ui.h"
#include "montage/programwindows_ui.h"
#include "montage/tformbuild2.h"
#include "output/savepass.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

namespace {

texchangecontent ClipboardContent() {
    QClipboard* c = QGuiApplication::clipboard();
    const QMimeData* mime = c ? c->mimeData() : nullptr;
    return mime ? ExchangeContentOf(*mime) : texchangecontent();
}

// The rules over the Montage window's loader and the display host.
template <typename F> void WithExchange(F&& f) {
    TFormMain* main = AppWindows.FormMain;
    TFormBuild2* montage = AppWindows.FormBuild2;
    if (!main || !montage) return;
    tpictureexchange x(montage->Loader(), main->DisplayHost);
    x.AskFileType = AskDragDropOptions;
    x.OpenParamFile = [](const QString& file) { OpenParamFileWithImages(file); };
    f(x, *main);
}

timg& CurrentView(TFormMain& main) {
    const tviewslot& cur = main.GetCurrent();
    return cur.img ? *cur.img : main.ImgLeft();
}

// Our own pictures on the clipboard are not captured back.
bool writingClipboard = false;

void PutOnClipboard(const QImage& picture) {
    QClipboard* c = QGuiApplication::clipboard();
    if (!c || picture.isNull()) return;
    writingClipboard = true;
    c->setImage(picture);
    writingClipboard = false;
}

void ClearCurrentView() {
    TFormMain* main = AppWindows.FormMain;
    if (!main) return;
    main->ClearView(CurrentView(*main));
    main->Compose();
}

} // namespace

bool CopyStereo() {
    TFormMain* main = AppWindows.FormMain;
    if (!main) return false;
    const timg& left = main->ImgLeft();
    EngineBitmap out;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = !left.bitmap.isNull() &&
                    RenderKindBitmap(main->Pair, KindParallel, Settings.AutoCrop ? 0 : 1, 0,
                                     left.Height(), left.Width(), false, out);
    QApplication::restoreOverrideCursor();
    // A failed composition leaves the clipboard as it was.
    if (!ok) return false;
    PutOnClipboard(ToQImage(out));
    return true;
}

void CutStereo() {
    CopyStereo();
    ClearCurrentView();
}

void PasteStereo() {
    const texchangecontent content = ClipboardContent();
    WithExchange(
        [&](tpictureexchange& x, TFormMain& main) { x.PasteStereo(content, CurrentView(main)); });
}

bool CopyView() {
    TFormMain* main = AppWindows.FormMain;
    if (!main) return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QImage copy = TurnedViewCopy(CurrentView(*main));
    QApplication::restoreOverrideCursor();
    if (copy.isNull()) return false;
    PutOnClipboard(copy);
    return true;
}

void CutView() {
    CopyView();
    ClearCurrentView();
}

void PasteView() {
    const texchangecontent content = ClipboardContent();
    WithExchange(
        [&](tpictureexchange& x, TFormMain& main) { x.PasteView(content, CurrentView(main)); });
}

void SetClipboardHook(bool on) {
    Settings.ClipboardHook = on;
    TFormMain* main = AppWindows.FormMain;
    if (!main || !main->ClipboardMonitor) return;
    main->ClipboardMonitor->OnDraw = on ? std::function<void()>(CaptureClipboard) : nullptr;
}

void CaptureClipboard() {
    TFormMain* main = AppWindows.FormMain;
    QClipboard* c = QGuiApplication::clipboard();
    if (!main || !c || writingClipboard || c->ownsClipboard()) return;
    const texchangecontent content = ClipboardContent();
    // Anything but a picture or a picture file stays on the clipboard.
    bool taken = false;
    WithExchange([&](tpictureexchange& x, TFormMain& m) {
        taken = x.PasteStereo(content, CurrentView(m)) != texchangesource::None;
    });
    if (!taken) return;
    main->show();
    main->raise();
    main->activateWindow();
    main->setFocus();
    main->ClipboardMonitor->ClearClipboard();
}

bool AskDragDropOptions() {
    auto* dialog = qobject_cast<TFormDragDropOptions*>(AppWindows.FormDragDropOptions);
    return dialog && dialog->Ask();
}

void DropOnView(const QMimeData& data, timg& target) {
    const texchangecontent content = ExchangeContentOf(data);
    WithExchange([&](tpictureexchange& x, TFormMain&) {
        if (!content.files.isEmpty())
            x.DropFiles(content.files, target);
        else if (!content.picture.isNull())
            x.DropPicture(content.picture, target);
    });
}

void ConnectDrops(TFormMain& main, TFormBuild2& montage) {
    main.OnDrop = DropOnView;
    QObject::connect(&montage, &QObject::destroyed, &main, [&main] { main.OnDrop = nullptr; });
}
