// UTF-8 texts of the core as Qt strings, and the catalog's texts.
#pragma once

#include "shell/catalog.h"

#include <QString>
#include <string>
#include <string_view>

namespace tavimo::ui {

inline QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
inline std::string utf8(const QString& text) { return text.toUtf8().toStdString(); }
inline QString msgText(shell::Msg id) { return qs(shell::Catalog::instance().text(id)); }

} // namespace tavimo::ui
