// The multi-output save pass (every ticked kind in one pass, each into its
// own folder) and the single-output path used by menu items, preview, export
// and the composite copy.
#pragma once

#include "core/jpegdefaults.h"
#include "engine/imageview.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

class tviewpair;
struct tsettings;
struct tnamingfields;
class tfolderquestions;
class tparamhost;

// The log lines of the pass.
extern const char* const SaveOkText;           // "Ok - %d Ko"
extern const char* const SaveErrorText;        // "Error!!! - File not Save"
extern const char* const SaveUserAbortText;    // "User Abort!!! - File not Save"
extern const char* const OverwriteQuestion;    // "Voulez vous écraser le Fichier %s ?"
extern const char* const OverwriteRenameTitle; // "%s Existe : Ok pour Ecraser ou Donner …"

// "Ok - %d Ko" for a file of `bytes` bytes (div 1024).
QString SaveOkLine(qint64 bytes);

enum class toverwriteanswer { Yes, No, Cancel, Abort, YesToAll };

// The questions of the pass about existing files. The save dialog asks the
// user; the command line answers from its options.
class tsavequestions {
public:
    virtual ~tsavequestions() = default;
    // "Voulez vous écraser le Fichier %s ?" (Yes, No, Cancel, Abort, Yes to all).
    virtual toverwriteanswer AskOverwrite(const QString& path) = 0;
    // After No: the save-file dialog offering another name for the kind's
    // output (path in/out); false when cancelled.
    virtual bool AskOtherName(int kind, QString& path) = 0;
    // The cause logged when an existing file is kept: the command line says
    // how to replace it; the dialog, where the user chose, says "exists".
    virtual QString KeptFileCause() const { return QStringLiteral("exists"); }
};

// The dialog's values the composition reads, gathered once for the pass.
struct tsaveoptions {
    int W = 0; // one view, output pixels
    int H = 0;
    int S = 0;           // band between the views
    int adapt = 0;       // 0 fit inside, 1 fit the width, 2 fit the height
    bool manual = false; // "Source = Cadre Manuel"
    bool centre = true;  // "Centrer les Vues"
    bool bits24 = false; // Save24bit
    bool askBeforeCreateDir = true;
    int ratioW = 0; // window-ratio constraint, 0 = none
    int ratioH = 0;
    // Picture kinds drawn and written at once. Above 1 every question of the
    // pass is asked first, in the pass's order, and the report is the same.
    int threads = 1;
    // Every question asked first on one thread too, so the outputs can still
    // be made together (the command line, whose answers are fixed).
    bool askFirst = false;
    // The added choices (settings AnaglyphMethod and KeepExif): the anaglyph
    // method (engine/anaglyphmix.h) and whether JPEG and MPO outputs carry
    // the left source picture's EXIF.
    int anaglyph = 0;
    bool exif = true;
    // The whole frame of the half-width and half-height kinds; 0 takes W, H.
    int frameW = 0;
    int frameH = 0;
};

// One line pair of the log: an output's path (empty when it had none yet)
// and its result.
struct tsaveoutput {
    int kind = 0;
    QString path;
    QString text;  // the log text; empty when the output was skipped silently
    QString cause; // why it failed, in a few English words; empty when unknown
    bool ok = false;
};

struct tsavereport {
    QStringList log; // ListBoxName, in order
    std::vector<tsaveoutput> outputs;
    bool abandoned = false; // the folder check was aborted: nothing was done

    bool AllWritten() const;
};

// The order of the picture kinds of the pass: L, R, SX, SP, SV, Ana, Bi.
extern const std::array<int, 7> SaveKindOrder;

// Called after each output of a pass with the report so far, so a window
// can show the log as it grows.
using tsaveprogress = std::function<void(const tsavereport&)>;

// SaveSelectedKinds: the parameter file when ticked, then every ticked
// picture kind, each logged; one failure never stops the pass.
tsavereport SaveSelectedKinds(tviewpair& pair, tnamingfields& fields, const tsaveoptions& options,
                              tsettings& settings, tfolderquestions& folders,
                              tsavequestions& questions, tparamhost& params,
                              const tsaveprogress& progress = {});

// The overwrite state shared by the outputs of one pass.
class tshareddrawing;
struct tsavepass {
    bool askOverwrite = true; // false after "Yes to all"
    bool aborted = false;     // "Abort": later existing files are left alone
    // The drawing of the views the pass's outputs share; null: each draws alone.
    tshareddrawing* shared = nullptr;
};

// One output of the pass into folder text `kindFolder` (resolved against the
// base folder) under `name`; its lines are added to the report.
void ComposeAndWrite(const tviewpair& pair, int kind, const QString& kindFolder,
                     const QString& name, tsavepass& pass, const tsaveoptions& options,
                     tnamingfields& fields, tsettings& settings, tfolderquestions& folders,
                     tsavequestions& questions, tsavereport& report);

// The single-output composition: frame without ratio constraint (manual when
// asked and both views have a crop), a view size of 0 meaning the frame's
// own, always centred, every placement at the output scale alone. 32-bit
// unless bits24. False when there is nothing to draw.
bool RenderKindBitmap(const tviewpair& pair, int kind, int manual, int separation, int height,
                      int width, bool bits24, EngineBitmap& out);

// RenderKind to a file: JPEG (with the current JPEG options) or BMP by the
// name's extension. False when the file was not written.
bool RenderKind(const tviewpair& pair, const QString& fileName, int kind, int manual,
                int separation, int height, int width, bool save24bit);

// RenderKind for the preview window: always 32-bit; when the name asks for
// JPEG, the picture is compressed with the current options and read back, in
// memory, so that the compression shows. An output of more than 2.5 megapixels is
// composed smaller, in the same proportions, and the picture's device pixel
// ratio (below 1) says so: its size divided by the ratio is the output's,
// whose exact size is also in the picture's text (PreviewOutputSizeKey).
// False for a kind the preview cannot show or nothing to draw.
bool RenderKindPreview(const tviewpair& pair, const QString& fileName, int kind, int manual,
                       int separation, int height, int width, QImage& picture);

// The preview mode that shows a kind (SX 2, SP 0, Ana 8, SV 4), -1 for none.
int PreviewModeOfKind(int kind);
// The kind a preview mode asks for, -1 for none.
int KindOfPreviewMode(int mode);
