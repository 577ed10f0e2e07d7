// The save dialog's values, defaults, stored settings and size calculator.
#include "output/savevalues.h"

#include "core/paths.h"
#include "core/settings.h"
#include "core/stereokinds.h"
#include "core/timg.h"
#include "core/viewpair.h"
#include "output/sourceframe.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstdlib>

const char* const SizePresetNames[kSizePresetCount] = {"Taille Personalisée",
                                                       "Taille Réelle",
                                                       "320*240",
                                                       "640*480",
                                                       "800*600",
                                                       "1024*768",
                                                       "1152*864",
                                                       "1280*1024"};

QSize PresetSize(int preset) {
    static const QSize sizes[] = {{320, 240},  {640, 480},  {800, 600},
                                  {1024, 768}, {1152, 864}, {1280, 1024}};
    if (preset < 2 || preset >= kSizePresetCount) return {};
    return sizes[preset - 2];
}

QString SizeText(int value) {
    return QString::asprintf("%7.2d", value);
}

bool ReadSizeField(const QString& text, int& value) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < 0) return false;
    value = v;
    return true;
}

void NormalizeManualCrop(timg& view) {
    if (view.mancropw < 0) {
        view.mancropl -= std::fabs(view.mancropw);
        view.mancropw = -view.mancropw;
    }
    if (view.mancroph < 0) {
        view.mancropt -= std::fabs(view.mancroph);
        view.mancroph = -view.mancroph;
    }
}

namespace {

int Trunc(double v) {
    return int(std::trunc(v));
}

int NonNegative(int v) {
    return std::max(0, v);
}

// The size fields' composite size from one view's (c, b).
QSize CompositeOfView(int couple, int c, int b, int S) {
    switch (couple) {
    case CoupleV:
        return {c, 2 * b + S};
    case CoupleBi:
        return {3 * c + 2 * S, b};
    default:
        return {2 * c + S, b};
    }
}

// One view's size from the composite's (c, b); never negative.
QSize ViewOfComposite(int couple, int c, int b, int S) {
    switch (couple) {
    case CoupleV:
        return {c, NonNegative((b - S) / 2)};
    case CoupleBi:
        return {NonNegative((c - 2 * S) / 3), b};
    default:
        return {NonNegative((c - S) / 2), b};
    }
}

// A field that holds a size gives it; another gives `fallback`.
int FieldOr(const QString& text, int fallback) {
    int v = 0;
    return ReadSizeField(text, v) ? v : fallback;
}

// Reads a field into a setting, or rewrites the field from the setting.
void StoreSize(QString& field, int& setting, int fallback) {
    int v = 0;
    if (ReadSizeField(field, v)) {
        setting = v;
    } else {
        setting = fallback;
        field = SizeText(setting);
    }
}

} // namespace

QSize SourceFrameSize(const tsizesource& src, int source) {
    if (!src.pair) return {0, 0};
    timg& left = src.pair->ImgLeft;
    timg& right = src.pair->ImgRight;
    if (source == 1) {
        NormalizeManualCrop(left);
        NormalizeManualCrop(right);
        const timg* current = src.current ? src.current : &left;
        if (!current->mancropd) return {0, 0};
        return {std::abs(Trunc(current->mancropw)), std::abs(Trunc(current->mancroph))};
    }
    const tcommonframe f = ComputeSourceFrame(&left, &right, false, src.ratioH, src.ratioW);
    if (!f.valid) return {0, 0};
    return {NonNegative(Trunc(f.width)), NonNegative(Trunc(f.height))};
}

void RecomputeFrameRatio(tsavevalues& v, const tsizesource& src) {
    int a = 0, b = 0;
    if (src.pair) {
        const tcommonframe f =
            ComputeSourceFrame(&src.pair->ImgLeft, &src.pair->ImgRight, v.Source == 1, 0, 0);
        if (f.valid) {
            a = Trunc(f.width);
            b = Trunc(f.height);
        }
    }
    QString& wField = v.CoupleSize ? v.EditWt : v.EditW;
    QString& hField = v.CoupleSize ? v.EditHt : v.EditH;
    wField = SizeText(a);
    hField = SizeText(b);
    v.FrameRatio = b == 0 ? 1.0 : double(a) / b;
    // A negative frame (views that do not overlap) gives no usable ratio.
    if (v.FrameRatio <= 0) v.FrameRatio = 1.0;
}

void SizeComboChange(tsavevalues& v, const tsizesource& src, const tsettings& settings) {
    const QSize frame = SourceFrameSize(src, v.Source);
    v.CoupleEnabled = v.SizePreset != PresetReal;
    if (!v.CoupleEnabled) v.CoupleSize = false;
    int c = 0, b = 0;
    if (v.SizePreset == PresetCustom) {
        c = settings.SaveWUser;
        b = settings.SaveHUser;
    } else if (v.SizePreset == PresetReal) {
        c = frame.width();
        b = frame.height();
    } else {
        const QSize p = PresetSize(v.SizePreset);
        c = p.width();
        b = p.height();
    }
    RecomputeFrameRatio(v, src);
    int S = 0;
    if (!ReadSizeField(v.EditSepar, S)) {
        S = settings.SaveSepar;
        v.EditSepar = SizeText(S);
    }
    if (v.Adapt == 1) b = Trunc(c / v.FrameRatio);
    if (v.Adapt == 2) c = Trunc(b * v.FrameRatio);
    if (!v.CoupleSize) {
        const QSize t = CompositeOfView(v.Couple, c, b, S);
        v.EditW = SizeText(c);
        v.EditH = SizeText(b);
        v.EditWt = SizeText(t.width());
        v.EditHt = SizeText(t.height());
    } else {
        const QSize one = ViewOfComposite(v.Couple, c, b, S);
        v.EditWt = SizeText(c);
        v.EditHt = SizeText(b);
        v.EditW = SizeText(one.width());
        v.EditH = SizeText(one.height());
    }
}

void SizeFieldTyped(tsavevalues& v, tsizefield field, tsettings& settings) {
    const QString* typed[] = {&v.EditW, &v.EditH, &v.EditWt, &v.EditHt};
    int t = 0;
    if (!ReadSizeField(*typed[field], t)) return;
    v.SizePreset = PresetCustom;
    const int S = FieldOr(v.EditSepar, 0);
    const double r = v.FrameRatio > 0 ? v.FrameRatio : 1.0;
    const bool keep = v.KeepRatio;
    auto put = [](QString& f, int value) { f = SizeText(value); };
    switch (field) {
    case FieldW: {
        if (keep) put(v.EditH, Trunc(t / r));
        const int wt = NonNegative(CompositeOfView(v.Couple, t, 0, S).width());
        put(v.EditWt, wt);
        if (keep) put(v.EditHt, Trunc(wt / r));
        settings.SaveWUser = t;
        settings.SaveHUser = FieldOr(v.EditH, settings.SaveHUser);
        break;
    }
    case FieldWt: {
        if (keep) put(v.EditHt, Trunc(t / r));
        const int w = ViewOfComposite(v.Couple, t, 0, S).width();
        put(v.EditW, w);
        if (keep) put(v.EditH, Trunc(w / r));
        settings.SaveWUser = w;
        settings.SaveHUser = FieldOr(v.EditH, settings.SaveHUser);
        break;
    }
    case FieldHt: {
        if (keep) put(v.EditWt, Trunc(t * r));
        const int h = ViewOfComposite(v.Couple, 0, t, S).height();
        put(v.EditH, h);
        if (keep) put(v.EditW, Trunc(h * r));
        settings.SaveHUser = h;
        settings.SaveWUser = FieldOr(v.EditW, settings.SaveWUser);
        break;
    }
    case FieldH: {
        if (keep) put(v.EditW, Trunc(t * r));
        const int ht = NonNegative(CompositeOfView(v.Couple, 0, t, S).height());
        put(v.EditHt, ht);
        if (keep) put(v.EditWt, Trunc(ht * r));
        settings.SaveHUser = t;
        settings.SaveWUser = FieldOr(v.EditW, settings.SaveWUser);
        break;
    }
    }
}

void AnchorRelativePaths(tnamingfields& fields) {
    for (QString* file : {&fields.LeftFile, &fields.RightFile})
        if (!file->isEmpty()) *file = QFileInfo(NativePath(*file)).absoluteFilePath();
    const QString base = fields.RepBase.trimmed();
    if (!base.isEmpty() && !base.startsWith(QLatin1Char('.')) &&
        QDir::isRelativePath(NativePath(base)))
        fields.RepBase = QDir::current().absoluteFilePath(NativePath(base));
}

void ShowDefaultValues(tsavevalues& v, const tsettings& settings, const QString& programFolder,
                       const tviewpair& pair) {
    tnamingfields& n = v.naming;
    n.Rename = false;
    v.ForceBase = false;
    n.FileName = QStringLiteral("3d");
    n.RepBase = NormalizeFolder(programFolder);
    for (int kind = 0; kind < kOutputKindCount; ++kind) {
        if (!KindHasOutputFields(kind)) continue;
        n.Folder[kind] = KindDefaultFolder(kind);
        n.Suffix[kind] = KindDefaultSuffix(kind);
        n.Ticked[kind] = kind == KindCrossed || kind == KindAnaglyph || kind == KindParams;
    }
    n.Jpeg = settings.SaveJpeg;
    n.LeftFile = pair.ImgLeft.filename;
    n.RightFile = pair.ImgRight.filename;
    v.KeepRatio = true;
    v.Adapt = 0;
    v.Centre = true;
    v.EditW = QStringLiteral("1024");
    v.EditH = QStringLiteral("768");
    v.EditSepar = QStringLiteral("0");
    v.Source = settings.AutoCrop ? 0 : 1;
    v.SizePreset = PresetReal;
}

void ShowCurrentValues(tsavevalues& v, tsettings& settings, const tsizesource& src) {
    static const tviewpair none;
    const tviewpair& pair = src.pair ? *src.pair : none;
    const QString typedName = v.naming.FileName.trimmed();
    v.naming = NamingFieldsFromSettings(settings, pair);
    AnchorRelativePaths(v.naming);
    if (settings.ForceFileName) v.naming.FileName = typedName;
    v.ForceBase = settings.ForceRepBase;
    v.Centre = settings.SaveCenter;
    v.Adapt = std::clamp(settings.SaveAdaptImage, 0, 2);
    v.KeepRatio = settings.SaveRatioWH;
    v.Source = settings.AutoCrop ? 0 : 1;
    if (v.SizePreset != PresetCustom) {
        v.EditW = SizeText(settings.SaveW);
        v.EditH = SizeText(settings.SaveH);
        v.EditSepar = SizeText(settings.SaveSepar);
    } else {
        v.EditW = SizeText(settings.SaveWUser);
        v.EditH = SizeText(settings.SaveHUser);
        v.EditSepar = SizeText(settings.SaveSUser);
    }
    RecomputeFrameRatio(v, src);
    SizeComboChange(v, src, settings);
}

QString SaveDialogCaption(const tviewpair& pair) {
    return FileFolder(pair.ImgLeft.filename) + QStringLiteral(" | ") +
           FileNamePart(pair.ImgLeft.filename) + QStringLiteral(" | ") +
           FileNamePart(pair.ImgRight.filename);
}

void StoreDialogValues(tsavevalues& v, tsettings& settings) {
    const tnamingfields& n = v.naming;
    settings.ForceRepBase = v.ForceBase;
    settings.ForceFileName = n.Rename;
    settings.DirBase = n.RepBase;
    settings.DirFileName = n.FileName;
    for (int kind = 0; kind < kOutputKindCount; ++kind) {
        if (!KindHasOutputFields(kind)) continue;
        settings.*KindFolderSetting(kind) = n.Folder[kind];
        settings.*KindSuffixSetting(kind) = n.Suffix[kind];
        settings.*KindTickSetting(kind) = n.Ticked[kind];
    }
    settings.SaveJpeg = n.Jpeg;
    settings.SaveCenter = v.Centre;
    settings.SaveAdaptImage = v.Adapt;
    settings.SaveRatioWH = v.KeepRatio;
    settings.AutoCrop = v.Source == 0;
    if (v.SizePreset != PresetCustom) {
        StoreSize(v.EditW, settings.SaveW, 1024);
        StoreSize(v.EditH, settings.SaveH, 768);
        StoreSize(v.EditSepar, settings.SaveSepar, 0);
    } else {
        StoreSize(v.EditW, settings.SaveWUser, settings.SaveWUser);
        StoreSize(v.EditH, settings.SaveHUser, settings.SaveHUser);
        StoreSize(v.EditSepar, settings.SaveSUser, settings.SaveSUser);
    }
}

tsaveoptions SaveOptionsFromValues(const tsavevalues& v, const tsettings& settings, int ratioW,
                                   int ratioH) {
    tsaveoptions o;
    o.W = FieldOr(v.EditW, settings.SaveWUser);
    o.H = FieldOr(v.EditH, settings.SaveHUser);
    o.S = FieldOr(v.EditSepar, settings.SaveSUser);
    o.adapt = std::clamp(v.Adapt, 0, 2);
    o.manual = v.Source == 1;
    o.centre = v.Centre;
    o.bits24 = settings.Save24bit;
    o.askBeforeCreateDir = settings.AskBeforeCreateDir;
    o.ratioW = ratioW;
    o.ratioH = ratioH;
    // The anaglyph method and the camera's EXIF follow their settings; the
    // half-width and half-height frames take the dialog's size.
    o.anaglyph = settings.AnaglyphMethod;
    o.exif = settings.KeepExif;
    return o;
}

QSize ExportFrameSize(const tsizesource& src, bool useAuto) {
    return SourceFrameSize(src, useAuto ? 0 : 1);
}
