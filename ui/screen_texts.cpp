#include "ui/screen_texts.h"

#include "shell/catalog.h"
#include "shell/screen_keys.h"
#include "shell/text_lists.h"
#include "shell/window_fonts.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QVariant>

namespace tavimo::ui {

namespace {

QStringList itemList(std::string_view text)
{
    QStringList out;
    for (const std::string& item : shell::splitItems(text)) out << qs(item);
    return out;
}

// A page of a QTabWidget: its caption is the tab's text.
bool setTabCaption(QWidget* page, const QString& text)
{
    for (QWidget* w = page->parentWidget(); w; w = w->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            const int i = tabs->indexOf(page);
            if (i >= 0) {
                tabs->setTabText(i, text);
                return true;
            }
        }
    }
    return false;
}

void setCaption(QObject* o, const QString& text, bool isWindow)
{
    if (auto* a = qobject_cast<QAction*>(o)) return a->setText(text);
    if (auto* m = qobject_cast<QMenu*>(o)) return m->setTitle(text);
    if (auto* b = qobject_cast<QAbstractButton*>(o)) return b->setText(text);
    if (auto* l = qobject_cast<QLabel*>(o)) return l->setText(text);
    if (auto* g = qobject_cast<QGroupBox*>(o)) return g->setTitle(text);
    if (auto* w = qobject_cast<QWidget*>(o)) {
        if (!isWindow && setTabCaption(w, text)) return;
        return w->setWindowTitle(text);
    }
    o->setProperty("Caption", text);
}

void setItems(QObject* o, std::string_view text)
{
    if (auto* c = qobject_cast<QComboBox*>(o)) {
        const int index = c->currentIndex();
        c->clear();
        c->addItems(itemList(text));
        c->setCurrentIndex(index < c->count() ? index : -1);
        return;
    }
    if (auto* r = qobject_cast<RadioGroup*>(o)) return r->setItems(itemList(text));
    if (auto* t = qobject_cast<QTabBar*>(o)) {
        const QStringList items = itemList(text);
        for (int i = 0; i < items.size(); ++i) {
            if (i < t->count())
                t->setTabText(i, items[i]);
            else
                t->addTab(items[i]);
        }
        return;
    }
    // A note: its lines as they are.
    if (auto* l = qobject_cast<QLabel*>(o)) return l->setText(qs(text));
    if (auto* p = qobject_cast<QPlainTextEdit*>(o)) return p->setPlainText(qs(text));
    o->setProperty("Items", qs(text));
}

QObject* findControl(QWidget* window, std::string_view control)
{
    if (control.empty()) return window;
    const QString name = qs(control);
    if (window->objectName() == name) return window;
    return window->findChild<QObject*>(name);
}

} // namespace

QStringList applyScreenTexts(QWidget* window, std::string_view form)
{
    return applyScreenTexts(window, form, shell::Catalog::instance().language());
}

QStringList applyScreenTexts(QWidget* window, std::string_view form, shell::Language language)
{
    QStringList missing;
    for (const shell::ScreenEntry& e : shell::Catalog::instance().screenEntries(form, language)) {
        QObject* o = findControl(window, e.control);
        if (!o) {
            if (!missing.contains(qs(e.control))) missing << qs(e.control);
            continue;
        }
        if (e.property == shell::property::kCaption)
            setCaption(o, qs(e.text), o == window);
        else if (e.property == shell::property::kHint) {
            if (auto* a = qobject_cast<QAction*>(o))
                a->setToolTip(qs(e.text));
            else if (auto* w = qobject_cast<QWidget*>(o))
                w->setToolTip(qs(e.text));
        } else if (e.property == shell::property::kItems)
            setItems(o, e.text);
        else
            o->setProperty(std::string(e.property).c_str(), qs(e.text));
    }
    return missing;
}

void prepareWindow(QWidget* window)
{
    prepareWindow(window, shell::Catalog::instance().language(), window->logicalDpiY());
}

void prepareWindow(QWidget* window, shell::Language language, int screenDpi)
{
    constexpr int kDesignDpi = 96;
    QFont f = window->font();
    if (f.pointSize() > 0) {
        const shell::FontSize s =
            shell::windowFontSize({f.pointSize(), shell::FontUnit::Points}, language, kDesignDpi, screenDpi);
        f.setPointSize(s.value);
    } else if (f.pixelSize() > 0) {
        const shell::FontSize s =
            shell::windowFontSize({f.pixelSize(), shell::FontUnit::Pixels}, language, kDesignDpi, screenDpi);
        f.setPixelSize(s.value);
    }
    window->setFont(f);
}

QString screenProperty(const QObject* object, std::string_view property)
{
    if (!object) return {};
    return object->property(std::string(property).c_str()).toString();
}

} // namespace tavimo::ui
