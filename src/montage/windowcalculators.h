// The two stereo-window calculators as plain field sets: the rear-windowing
// distance (width x ratio) and the expert infinity distance (MAOFD) with its
// shooting-data relation E = F x B / (D - F). The dialogs show these fields.
#pragma once

#include <QString>

class tviewpair;

// A number typed with a comma or a point; ok false when any character does
// not belong to a number (the value is then 0).
double ReadDecimal(const QString& text, bool& ok);

// What the calculators read of the views.
struct twindowsources {
    double autoWidth = 0, autoHeight = 0; // automatic window under the ratio constraint
    bool manualDefined = false;           // the left view's manual frame
    double manualWidth = 0, manualHeight = 0;
    int pictureWidth = 0, pictureHeight = 0; // the left picture
};
twindowsources WindowSources(const tviewpair& pair);

// "Fenêtrage Stéréo: Distance entre Points Homologues".
class trearwindowing {
public:
    // Items of ComboBoxSize.
    enum { SizeAuto = 0, SizeManual = 1, SizeTyped = 2, SizeImage = 3 };
    // The dialog's own ratio, distinct from InfinityFraction.
    static constexpr double kRatio = 0.042;

    bool atInfinity = true; // "Points à l'infini", else "Points à la fenêtre"
    int sizeIndex = SizeAuto;
    QString width;       // EditLargeurImage
    QString heightLabel; // LabelHeight
    QString ratio;       // EditRapport
    QString distance;    // EditDist
    double AppliedDistance = 0;

    // Creation and "Par Défaut".
    void Defaults(const twindowsources& s);
    // On show, on a change of the size item, the width, the ratio or the
    // radio buttons, and by the compute button. With "Cadre Auto" the dialog
    // first switches the crop mode to "Découpe automatique".
    void Recalculate(const twindowsources& s);
    // "Appliquer": the distance to apply (an unreadable one becomes the
    // picture width x 0.042, written back); kept in AppliedDistance.
    double DistanceToApply(int pictureWidth);
};

// "Distance  entre Points Homologues à l'infini (MAOFD)".
class trearwinexpert {
public:
    // RadioGroup2 items; -1 none.
    enum { ChoiceShooting = 0, ChoicePixels = 1, ChoiceRatio = 2 };
    // RadioGroup1: the unknown of the shooting-data relation.
    enum { UnknownF = 0, UnknownB = 1, UnknownD = 2, UnknownE = 3 };
    // ComboBox1 items after "Taille Image Courante".
    static constexpr int kResolutions[] = {640, 800, 1024, 1280, 1600, 2048, 2592, 3200};
    static constexpr int kResolutionCount = 9;

    int choice = ChoicePixels;
    int unknown = UnknownE;
    int resolutionIndex = 0;                 // 0 "Taille Image Courante"
    QString ratio;                           // EditRapport
    QString pixels;                          // Editmaofdpixel
    QString focal, base, distance, infinity; // EditFocal, EditBase, EditDistance, EditInfini
    QString sensorWidth;                     // EditLargeurSensible
    QString imageSize;                       // EditImageSize
    QString result;                          // LabelResultat
    double MaofdRatio = 1.0 / 24;

    // Creation and "Par Défaut"; pictureWidth 0 without a picture.
    void Defaults(int pictureWidth);
    // On show and activation: the current picture width when it is the resolution.
    void ShowCurrentSize(int pictureWidth);
    // A resolution chosen in ComboBox1, then the computation.
    void ChooseResolution(int index, int pictureWidth);
    // "Fixer la MAOFD".
    void Compute(int pictureWidth);
    // "Calculer paramètres de PDV": the unknown from the three others; false
    // (nothing computed) when its divisor is below 0.0001.
    bool ComputeShooting(int pictureWidth);
};
