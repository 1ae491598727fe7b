#include "ui/screen_registry.h"

#include <map>
#include <string>

namespace tavimo::ui {

namespace {
std::map<int, ScreenFactory>& screens()
{
    static std::map<int, ScreenFactory> s;
    return s;
}
std::map<std::string, DialogRunner, std::less<>>& dialogs()
{
    static std::map<std::string, DialogRunner, std::less<>> d;
    return d;
}
} // namespace

void registerScreen(int mode, ScreenFactory factory) { screens()[mode] = std::move(factory); }

ScreenFactory screenFactory(int mode)
{
    const auto it = screens().find(mode);
    return it == screens().end() ? ScreenFactory{} : it->second;
}

void registerDialog(std::string_view form, DialogRunner runner) { dialogs()[std::string(form)] = std::move(runner); }

DialogRunner dialogRunner(std::string_view form)
{
    const auto it = dialogs().find(form);
    return it == dialogs().end() ? DialogRunner{} : it->second;
}

} // namespace tavimo::ui
