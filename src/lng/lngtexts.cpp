// The texts of the windows written to and read from a language file.
#include "lng/lngtexts.h"

namespace {

const QString kCaption = QStringLiteral("Caption");
const QString kHint = QStringLiteral("Hint");
const QString kCount = QStringLiteral("ItemsCount");
const QString kIndex = QStringLiteral("ItemIndex");

bool hasCaption(tlngkind k) {
    return k == tlngkind::Button || k == tlngkind::Caption || k == tlngkind::Group;
}
bool hasHint(tlngkind k) {
    return k != tlngkind::Group;
}
bool hasItems(tlngkind k) {
    return k == tlngkind::Combo || k == tlngkind::Tabs;
}

// A non-empty value of the file replaces text; an empty or missing one
// leaves it.
void take(const tinifile& ini, const QString& section, const QString& key, QString& text) {
    const QString v = ini.ReadString(section, key, QString());
    if (!v.isEmpty()) text = v;
}

} // namespace

QString LngItemKey(int k) {
    return QStringLiteral("ItemsString%1").arg(k);
}

void WriteLngWindow(tinifile& ini, const tlngwindow& window) {
    ini.WriteString(window.name, kCaption, window.caption);
    for (const tlngcontrol& c : window.controls) {
        if (c.name.isEmpty()) continue;
        // The last writer of a shared section writes it whole, so its
        // layout does not depend on what an earlier writer left.
        ini.EraseSection(c.name);
        if (hasCaption(c.kind)) ini.WriteString(c.name, kCaption, c.caption);
        if (hasHint(c.kind)) ini.WriteString(c.name, kHint, c.hint);
        if (hasItems(c.kind)) {
            ini.WriteInteger(c.name, kCount, c.items.size());
            for (int k = 0; k < c.items.size(); ++k)
                ini.WriteString(c.name, LngItemKey(k), c.items[k]);
            if (c.kind == tlngkind::Combo) ini.WriteInteger(c.name, kIndex, c.itemIndex);
        }
    }
}

bool ReadLngWindow(const tinifile& ini, tlngwindow& window) {
    const QString caption = ini.ReadString(window.name, kCaption, QString());
    if (caption.isEmpty()) return false;
    if (window.name != QLatin1String(LngMainWindowName)) window.caption = caption;
    for (tlngcontrol& c : window.controls) {
        if (c.name.isEmpty()) continue;
        if (hasCaption(c.kind)) take(ini, c.name, kCaption, c.caption);
        if (hasHint(c.kind)) take(ini, c.name, kHint, c.hint);
        if (!hasItems(c.kind)) continue;
        const int n = ini.ReadInteger(c.name, kCount, 0);
        if (n <= 0 || n > LngMaxItems) continue;
        QStringList items;
        for (int k = 0; k < n; ++k) items << ini.ReadString(c.name, LngItemKey(k), QString());
        // A list keeps its length: one of another length belongs to another
        // control of the same name (the items are choices the code counts on).
        if (items.size() != c.items.size()) continue;
        for (int k = 0; k < items.size(); ++k)
            if (items[k].isEmpty() && k < c.items.size()) items[k] = c.items[k];
        const bool keep = c.itemIndex >= 0 && c.itemIndex < items.size();
        c.items = items;
        if (c.kind == tlngkind::Combo && !keep) {
            const int i = ini.ReadInteger(c.name, kIndex, 0);
            c.itemIndex = (i >= -1 && i < items.size()) ? i : -1;
        }
    }
    return true;
}
