// Applying a window's screen texts from the catalog to its controls, found
// by their object names, and the per-language window set-up.
#pragma once

#include "shell/language.h"

#include <QStringList>
#include <string_view>

class QObject;
class QWidget;

namespace tavimo::ui {

// Assigns every catalog entry of `form` to the control of the same object
// name inside `window` ("" is the window itself): Caption to the text or
// title (a tab page's caption to its tab), Hint to the tooltip, Items to the
// items of a list, radio group, tab bar or note, and any other property
// (file-dialog filters and extensions, chart titles) to the object's
// dynamic property of that name. Returns the controls it did not find.
QStringList applyScreenTexts(QWidget* window, std::string_view form);
QStringList applyScreenTexts(QWidget* window, std::string_view form, shell::Language language);

// The window set-up at creation: the English font rule (one step smaller
// on screens denser than the 96 dpi the windows are laid out for). Qt scales
// positions, sizes and fonts to the screen itself.
void prepareWindow(QWidget* window);
void prepareWindow(QWidget* window, shell::Language language, int screenDpi);

// A dynamic property set by applyScreenTexts ("" when missing).
QString screenProperty(const QObject* object, std::string_view property);

} // namespace tavimo::ui
