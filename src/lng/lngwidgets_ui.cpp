// The live widgets described for a language file, and the file applied to
// or written from the program's windows.
#include "lng/lngwidgets_ui.h"

#include "core/uilanguage.h"
#include "lng/qtlanguage.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>

#include <algorithm>

namespace {

QList<QWidget*> (*windowSource)() = nullptr;

// Qt's default tool tip of an action is its text without '&' and "...":
// only a tip of its own is a text of the file.
QString ownToolTip(const QAction* a) {
    QString plain = a->text();
    plain.remove(u'&');
    plain.remove(QStringLiteral("..."));
    const QString tip = a->toolTip();
    return tip == plain.trimmed() || tip == plain ? QString() : tip;
}

// Controls marked with the property lngRuntime are left out: the code
// rebuilds their texts itself from the run-time texts (core/freetexts).
// Texts the code placed without naming their control (form labels, plain
// buttons) get a name from their window and their built-in French text,
// taken the first time the window is described (at start-up, before any
// language is applied) and kept on the control, so that a later language
// finds the same name.
QString givenName(QObject* o, const QString& window, const char* kind, const QString& text) {
    static const char* const property = "lngName";
    const QVariant kept = o->property(property);
    if (kept.isValid()) return kept.toString();
    if (text.trimmed().isEmpty()) return QString();
    const QByteArray hash =
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Md5).toHex().left(8);
    const QString name =
        QStringLiteral("%1.%2_%3").arg(window, QLatin1String(kind), QString::fromLatin1(hash));
    o->setProperty(property, name);
    return name;
}

// The kind and text of a control without a name that still shows a text.
QString unnamedText(QObject* o, const char** kind) {
    if (auto* l = qobject_cast<QLabel*>(o)) return *kind = "Label", l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(o)) {
        if (auto* t = qobject_cast<QToolButton*>(o); t && t->defaultAction()) return QString();
        return *kind = "Button", b->text();
    }
    if (auto* g = qobject_cast<QGroupBox*>(o)) return *kind = "Group", g->title();
    if (auto* m = qobject_cast<QMenu*>(o)) return *kind = "Menu", m->title();
    if (auto* a = qobject_cast<QAction*>(o)) {
        if (a->isSeparator() || a->menu()) return QString();
        return *kind = "Action", a->text();
    }
    return QString();
}

bool describe(QObject* o, const QString& name, tlngcontrol& c) {
    c.object = o;
    c.name = name;
    if (auto* a = qobject_cast<QAction*>(o)) {
        if (a->isSeparator()) return false;
        c.kind = tlngkind::Caption;
        c.caption = a->text();
        c.hint = ownToolTip(a);
        return true;
    }
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || qobject_cast<QStatusBar*>(w)) return false;
    c.hint = w->toolTip();
    if (auto* m = qobject_cast<QMenu*>(w)) {
        c.kind = tlngkind::Caption;
        c.caption = m->title();
    } else if (auto* b = qobject_cast<QPushButton*>(w)) {
        c.kind = tlngkind::Button;
        c.caption = b->text();
    } else if (auto* t = qobject_cast<QToolButton*>(w)) {
        // A tool button showing an action takes its texts from the action.
        if (t->defaultAction()) return false;
        c.kind = tlngkind::Caption;
        c.caption = t->text();
    } else if (auto* k = qobject_cast<QCheckBox*>(w)) {
        c.kind = tlngkind::Caption;
        c.caption = k->text();
    } else if (auto* r = qobject_cast<QRadioButton*>(w)) {
        c.kind = tlngkind::Caption;
        c.caption = r->text();
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        c.kind = tlngkind::Caption;
        c.caption = l->text();
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        c.kind = tlngkind::Group;
        c.caption = g->title();
    } else if (auto* cb = qobject_cast<QComboBox*>(w)) {
        // An editable box holds the user's own entries, not texts.
        if (cb->isEditable()) {
            c.kind = tlngkind::Edit;
            return true;
        }
        c.kind = tlngkind::Combo;
        for (int i = 0; i < cb->count(); ++i) c.items << cb->itemText(i);
        c.itemIndex = cb->currentIndex();
    } else if (auto* tw = qobject_cast<QTabWidget*>(w)) {
        c.kind = tlngkind::Tabs;
        for (int i = 0; i < tw->count(); ++i) c.items << tw->tabText(i);
    } else if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
               qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w)) {
        c.kind = tlngkind::Edit;
    } else {
        // Containers and drawing areas: only a tip of their own is a text.
        c.kind = tlngkind::HintOnly;
        return !c.hint.isEmpty();
    }
    return true;
}

void walk(QObject* parent, tlngwindow& out) {
    const QString& window = out.name;
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        // Another window (a dialog parented here) has its own section; a
        // menu is a popup of this window.
        if (w && w->isWindow() && !qobject_cast<QMenu*>(w)) continue;
        QString name = o->objectName();
        if (name.isEmpty() && o->property("lngName").isValid())
            name = o->property("lngName").toString();
        if (name.isEmpty()) {
            const char* kind = "";
            const QString text = unnamedText(o, &kind);
            // A text that is only a number or a sign is no text to translate.
            if (text.contains(QRegularExpression(QStringLiteral("[^\\W\\d_]{2,}"))))
                name = givenName(o, window, kind, text);
        }
        tlngcontrol c;
        // A control whose text the code rebuilds in each language.
        if (o->property("lngRuntime").toBool()) name.clear();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && describe(o, name, c))
            out.controls.push_back(c);
        // The items of a combo box and the inside of a spin box are Qt's own.
        if (qobject_cast<QComboBox*>(o) || qobject_cast<QAbstractSpinBox*>(o)) continue;
        walk(o, out);
    }
}

void setCaption(QObject* o, const QString& text) {
    if (auto* a = qobject_cast<QAction*>(o)) {
        if (a->text() != text) a->setText(text);
    } else if (auto* m = qobject_cast<QMenu*>(o)) {
        if (m->title() != text) m->setTitle(text);
    } else if (auto* b = qobject_cast<QAbstractButton*>(o)) {
        if (b->text() != text) b->setText(text);
    } else if (auto* l = qobject_cast<QLabel*>(o)) {
        if (l->text() != text) l->setText(text);
    } else if (auto* g = qobject_cast<QGroupBox*>(o)) {
        if (g->title() != text) g->setTitle(text);
    }
}

void setItems(QObject* o, const tlngcontrol& c) {
    if (auto* cb = qobject_cast<QComboBox*>(o)) {
        QStringList now;
        for (int i = 0; i < cb->count(); ++i) now << cb->itemText(i);
        if (now == c.items && cb->currentIndex() == c.itemIndex) return;
        // The choice is the same in another language: nothing to signal.
        const QSignalBlocker block(cb);
        if (now.size() == c.items.size()) {
            // Item data stays with its item.
            for (int i = 0; i < c.items.size(); ++i) cb->setItemText(i, c.items[i]);
        } else {
            cb->clear();
            cb->addItems(c.items);
        }
        cb->setCurrentIndex(c.itemIndex);
    } else if (auto* tw = qobject_cast<QTabWidget*>(o)) {
        for (int i = 0; i < tw->count() && i < c.items.size(); ++i)
            if (tw->tabText(i) != c.items[i]) tw->setTabText(i, c.items[i]);
    }
}

} // namespace

tlngwindow DescribeLngWindow(QWidget* window) {
    tlngwindow out;
    out.name = window->objectName();
    out.caption = window->windowTitle();
    walk(window, out);
    return out;
}

void SetLngWindow(QWidget* window, const tlngwindow& texts) {
    if (window->windowTitle() != texts.caption) window->setWindowTitle(texts.caption);
    for (const tlngcontrol& c : texts.controls) {
        QObject* o = c.object;
        if (!o) continue;
        if (c.kind == tlngkind::Button || c.kind == tlngkind::Caption || c.kind == tlngkind::Group)
            setCaption(o, c.caption);
        if (c.kind == tlngkind::Combo || c.kind == tlngkind::Tabs) setItems(o, c);
        if (auto* a = qobject_cast<QAction*>(o)) {
            if (!c.hint.isEmpty() && a->toolTip() != c.hint) a->setToolTip(c.hint);
        } else if (auto* w = qobject_cast<QWidget*>(o)) {
            if (w->toolTip() != c.hint) w->setToolTip(c.hint);
        }
    }
}

bool ApplyLanguageToWindows(const QString& path, const QList<QWidget*>& windows, QString* message) {
    tinifile ini;
    bool ok = ReadLanguageFile(path, ini, message);
    // A file that names none of the windows is no language file of this
    // program (sections lost, another program's file): nothing is applied.
    const bool namesAWindow = std::any_of(windows.begin(), windows.end(), [&](QWidget* w) {
        return w &&
               !ini.ReadString(w->objectName(), QStringLiteral("Caption"), QString()).isEmpty();
    });
    if (ok && !windows.isEmpty() && !namesAWindow) {
        ok = false;
        if (message)
            *message = QStringLiteral("Fichier langue non appliqué : %1\n%2")
                           .arg(path, QStringLiteral("il ne donne le titre d'aucune fenêtre."));
    }
    if (ok) {
        ReadLngStrings(ini, LngStrings);
        SetUiLanguage(LngStrings.Language);
        InstallQtTranslation(LngStrings.Language);
        for (QWidget* w : windows) {
            if (!w) continue;
            tlngwindow texts = DescribeLngWindow(w);
            if (ReadLngWindow(ini, texts)) SetLngWindow(w, texts);
        }
    }
    // Windows that build texts of their own rebuild them, also when nothing
    // was applied.
    for (QWidget* w : windows) {
        if (!w) continue;
        QEvent changed(QEvent::LanguageChange);
        QCoreApplication::sendEvent(w, &changed);
        w->update();
    }
    return ok;
}

bool SaveLanguageOfWindows(const QString& path, const QList<QWidget*>& windows, QString* message) {
    std::vector<tlngwindow> texts;
    for (QWidget* w : windows)
        if (w) texts.push_back(DescribeLngWindow(w));
    return WriteLanguageFile(path, LngStrings, texts, message);
}

void SetLngWindowSource(QList<QWidget*> (*source)()) {
    windowSource = source;
}

bool ApplyLanguageFile(const QString& path, QString* message) {
    const QString p = path.isEmpty() ? CurrentLngPath(DefaultLngFolders()) : path;
    return ApplyLanguageToWindows(p, windowSource ? windowSource() : QList<QWidget*>(), message);
}

bool SaveLanguageFile(const QString& path, QString* message) {
    const QString p = path.isEmpty() ? CurrentLngPath(DefaultLngFolders()) : path;
    return SaveLanguageOfWindows(p, windowSource ? windowSource() : QList<QWidget*>(), message);
}
