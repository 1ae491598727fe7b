#include "window/enabling_rules.h"

namespace tavimo::window {

std::vector<ControlState> enablingRules(const EnablingInputs& in)
{
    const bool manual = in.appMode == 0;
    const bool internal = manual && in.triggerMode == 2;
    const bool dsc1 = in.displayScale == 1, dsc2 = in.displayScale == 2, dsc3 = in.displayScale == 3;
    const bool vsc1 = in.voltageScale == 1, vsc2 = in.voltageScale == 2, vsc3 = in.voltageScale == 3;
    const bool codes = in.headIdMode == 1;

    std::vector<ControlState> s{
        {"HLDRadioG", manual},
        {"TRGRadioG", manual && in.screenMode != 3},
        {"TRGComboB11", internal},
        {"TRGNumEdit13", internal},
        {"TRGNumEdit14", internal},
        {"TRGNumEdit11", internal || in.appMode == 1},
        {"TRGNumEdit12", internal || in.appMode == 1 || in.appMode == 2},
        {"TRGNumEdit31", in.triggerMode == 3},
        {"CMPRadioG", in.holdMode == 2 && in.triggerMode == 2},
        {"DSCNumEdit11", dsc1},
        {"DSCNumEdit12", dsc1},
        {"DSCSlopeRadioG", dsc1},
        {"DSCNumEdit21", dsc2},
        {"DSCNumEdit23", dsc2},
        {"DSCNumEdit22", dsc2},
        {"DSCNumEdit24", dsc2},
        {"DSCComboB11", dsc3},
        {"VSCNumEdit11", vsc1},
        {"VSCNumEdit12", vsc1},
        {"VSCSlopeRadioG", vsc1},
        {"VSCNumEdit21", vsc2},
        {"VSCNumEdit23", vsc2},
        {"VSCNumEdit22", vsc2},
        {"VSCNumEdit24", vsc2},
        {"VSCComboB11", vsc3},
        {"HIDButton01", in.online},
        {"HIDButton02", in.online},
        {"CLBButton", in.online},
        {"SendButton", in.online},
        {"ReciveButton", in.online},
        {"InitButton", in.online},
        {"RebootButton", in.online},
        {"BitBtn3", in.online},
        {"E1", in.online},
        {"C1", !in.online},
    };
    for (std::string_view c : {"HIDEdit1", "HIDEdit2", "HIDEdit3", "Label6", "Label24", "Label26", "Memo3"})
        s.push_back({c, true, codes});
    return s;
}

ControlState controlState(const EnablingInputs& in, std::string_view control)
{
    for (const ControlState& s : enablingRules(in))
        if (s.control == control) return s;
    return {control, true, true};
}

} // namespace tavimo::window
