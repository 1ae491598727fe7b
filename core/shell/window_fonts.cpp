#include "shell/window_fonts.h"

namespace tavimo::shell {

FontSize windowFontSize(FontSize designed, Language language, int designDpi, int screenDpi)
{
    if (language != Language::English || designDpi >= screenDpi || designed.value <= 1)
        return designed;
    designed.value -= 1;
    return designed;
}

double modeDropDownWidthFactor(Language language)
{
    return language == Language::English ? 1.5 : 1.0;
}

} // namespace tavimo::shell
