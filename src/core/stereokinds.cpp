// Stereo kind vocabulary: names, stems, suffixes, folders, filters, titles.
#include "core/stereokinds.h"

#include <QStringList>

std::array<QString, kStereoKindCount> StereoKindNames;

namespace {

// Names as the interface shows them; the trailing space of the pair names is
// part of the text (the caption relies on it).
const std::array<const char*, kStereoKindCount> kNames = {"Image Simple",
                                                          "Couple d'Images Séparées ",
                                                          "Stéréo Croisée",
                                                          "Stéréo Parallèle",
                                                          "Anaglyphe",
                                                          "Stéréo Verticale",
                                                          "Double Stéréo",
                                                          "Vue Gauche",
                                                          "Vue Droite",
                                                          "",
                                                          "Fichier Paramètres de Calage",
                                                          "Couple d'Images Séparées ",
                                                          "Vue Droite"};

struct KindVocabulary {
    const char* stem;
    const char* suffix;
    const char* folder;
    const char* openTitle;
};

const std::array<KindVocabulary, kStereoKindCount> kVocabulary = {{
    {"Img", "", "", "Ouvrir : Image"},
    {"", "", "", "Ouvrir : Vue Gauche (et Vue Droite)"},
    {"SX", "_X", ".\\x", "Ouvrir : Stéréo Croisée"},
    {"SP", "_P", ".\\p", "Ouvrir : Stéréo Parallèle"},
    {"Ana", "_A", ".\\ana", "Ouvrir : Anaglyphe"},
    {"SV", "_V", ".\\v", "Ouvrir : Stéréo Verticale"},
    {"Bi", "_Bi", ".\\bi", "Ouvrir : Stéréo Double (GDG)"},
    {"L", "_L", ".\\l", "Ouvrir : Vue Gauche"},
    {"R", "_R", ".\\r", "Ouvrir : Vue Droite"},
    {"", "", "", ""},
    {"Prm", "", ".\\prm", "Ouvrir : Fichier de Paramètres"},
    {"", "", "", ""},
    {"", "", "", ""},
}};

bool validKind(int kind) {
    return kind >= 0 && kind < kStereoKindCount;
}

struct textrakind {
    const char* name;
    const char* stem;
    const char* suffix;
    const char* folder;
};

// The added output kinds, by code from KindMpo on.
const textrakind kExtraKinds[] = {
    {"MPO (appareils 3D)", "MPO", "_MPO", ".\\mpo"},
    {"Côte à Côte Demi-Largeur", "HSBS", "_HSBS", ".\\hsbs"},
    {"Dessus-Dessous Demi-Hauteur", "HOU", "_HOU", ".\\hou"},
};

const textrakind* extraKind(int kind) {
    return IsExtraOutputKind(kind) ? &kExtraKinds[kind - KindMpo] : nullptr;
}

} // namespace

const char* const PictureSaveFilter =
    "Bitmap(bmp)|*.bmp|JPEG(jpg,jpeg,jps)|*.jpg;*.jpeg;*.jps|Images(bmp,jpg,jpeg,jps)|*.bmp;*."
    "jpg;*.jpeg;*.jps|Tous les Fichiers *.*|*.*";
const char* const ParamFileFilter = "Params *.prm|*.prm|All Files *.*|*.*";
const char* const ReadParamsTitle = "Lire les Paramètres de Rotation";
const char* const SaveParamsTitle = "Enregistrer les Paramètres de Rotation";

void InitStereoKinds() {
    for (int i = 0; i < kStereoKindCount; ++i) StereoKindNames[i] = QString::fromUtf8(kNames[i]);
}

bool IsExtraOutputKind(int kind) {
    return kind >= KindMpo && kind < kOutputKindCount;
}

QString OutputKindName(int kind) {
    if (const textrakind* e = extraKind(kind)) return QString::fromUtf8(e->name);
    return validKind(kind) ? StereoKindNames[kind] : QString();
}

QString KindStem(int kind) {
    if (const textrakind* e = extraKind(kind)) return QString::fromUtf8(e->stem);
    return validKind(kind) ? QString::fromUtf8(kVocabulary[kind].stem) : QString();
}

QString KindDefaultSuffix(int kind) {
    if (const textrakind* e = extraKind(kind)) return QString::fromUtf8(e->suffix);
    return validKind(kind) ? QString::fromUtf8(kVocabulary[kind].suffix) : QString();
}

QString KindDefaultFolder(int kind) {
    if (const textrakind* e = extraKind(kind)) return QString::fromUtf8(e->folder);
    return validKind(kind) ? QString::fromUtf8(kVocabulary[kind].folder) : QString();
}

QString OpenDialogTitle(int kind) {
    return validKind(kind) ? QString::fromUtf8(kVocabulary[kind].openTitle) : QString();
}

QString PipeFilterToQt(const QString& pipeFilter) {
    // "Caption|*.a;*.b|Caption2|*.c" -> "Caption (*.a *.b);;Caption2 (*.c)"
    const QStringList parts = pipeFilter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        out << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return out.join(QStringLiteral(";;"));
}
