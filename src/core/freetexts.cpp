// The run-time texts of the interface and their built-in French.
#include "core/freetexts.h"

#include <map>

namespace {

struct tfreetext {
    const char* key;
    const char* french;
};

// Only words: the numbers around them are formatted by the code, so a
// translation can never carry a format a number would be read into.
const tfreetext kTexts[] = {
    {"ViewLeft", "Vue Gauche"},
    {"ViewRight", "Vue Droite"},
    {"Vision", "Vision"},
    // The vision modes by number, as the display state counts them.
    {"VisionMode0", "Croisée"},
    {"VisionMode1", "Parallèle"},
    {"VisionMode2", "Verticale"},
    {"VisionMode3", "Verticale"},
    {"VisionMode4", "Anaglyphe"},
    {"VisionMode5", "Transparence"},
    {"VisionMode6", "Alternée"},
    {"VisionMode7", "Image"},
    {"AngleInfo", "Angle :"},
    {"ShiftInfo", "Depla :"},
    {"ZoomInfo", "Corr. Zoom :"},
    {"AutoWindow", "Fenêtre Auto:"},
};

std::map<QString, QString>& current() {
    static std::map<QString, QString> texts = [] {
        std::map<QString, QString> t;
        for (const tfreetext& f : kTexts)
            t[QString::fromLatin1(f.key)] = QString::fromUtf8(f.french);
        return t;
    }();
    return texts;
}

} // namespace

QString FreeText(const char* key) {
    const auto it = current().find(QString::fromLatin1(key));
    return it == current().end() ? QString::fromLatin1(key) : it->second;
}

QStringList FreeTextKeys() {
    QStringList keys;
    for (const tfreetext& f : kTexts) keys << QString::fromLatin1(f.key);
    return keys;
}

QString FreeTextBuiltIn(const QString& key) {
    for (const tfreetext& f : kTexts)
        if (key == QLatin1String(f.key)) return QString::fromUtf8(f.french);
    return QString();
}

void SetFreeText(const QString& key, const QString& text) {
    const auto it = current().find(key);
    if (it != current().end() && !text.isEmpty()) it->second = text;
}

void ResetFreeTexts() {
    for (const tfreetext& f : kTexts)
        current()[QString::fromLatin1(f.key)] = QString::fromUtf8(f.french);
}
