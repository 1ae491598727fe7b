#include "files/settings_sections.h"

#include "files/ini_values.h"
#include "settings/field_table.h"
#include "settings/head_initialization.h"

namespace tavimo::files {

using namespace tavimo::settings;

std::string calculationSectionName(int entry) { return "CALCULATE" + std::to_string(entry); }
std::string controllerSectionName(int id) { return "CONTROLLER" + std::to_string(id); }
std::string memorySectionName(int id, int memory)
{
    return "CONTROLLER" + std::to_string(id) + "-" + std::to_string(memory);
}

MemorySettings missingKeyMemoryDefaults()
{
    MemorySettings m = initialMemorySettings(kDefaultHeadRange);
    m.HI_TH_LEVEL = 0.8;
    return m;
}

namespace {

void writeMemory(IniDocument& doc, const std::string& section, const MemorySettings& values)
{
    for (const MemoryField& f : memoryFields()) {
        if (f.kind == MemoryFieldKind::List)
            writeInteger(doc, section, f.name, values.*f.listMember);
        else
            writeDecimal(doc, section, f.name, values.*f.decimalMember);
    }
}

void readMemory(const IniDocument& doc, const std::string& section, const MemorySettings& defaults,
                MemorySettings& values)
{
    for (const MemoryField& f : memoryFields()) {
        if (f.kind == MemoryFieldKind::List)
            values.*f.listMember = readIndex(doc, section, f.name, f.itemCount, defaults.*f.listMember);
        else
            values.*f.decimalMember = readDecimal(doc, section, f.name, defaults.*f.decimalMember);
    }
}

void writeCommon(IniDocument& doc, const std::string& section, const ControllerSettings& c)
{
    for (const CommonField& f : commonFields()) {
        switch (f.kind) {
        case CommonFieldKind::List: writeInteger(doc, section, f.name, c.*f.listMember); break;
        case CommonFieldKind::Flag: writeBool(doc, section, f.name, c.*f.flagMember); break;
        case CommonFieldKind::Code: writeText(doc, section, f.name, c.*f.codeMember); break;
        }
    }
}

void readCommon(const IniDocument& doc, const std::string& section, ControllerSettings& c)
{
    const ControllerSettings defaults;
    for (const CommonField& f : commonFields()) {
        switch (f.kind) {
        case CommonFieldKind::List:
            c.*f.listMember = readIndex(doc, section, f.name, f.itemCount, defaults.*f.listMember);
            break;
        case CommonFieldKind::Flag:
            c.*f.flagMember = readBool(doc, section, f.name, defaults.*f.flagMember);
            break;
        case CommonFieldKind::Code:
            c.*f.codeMember = readText(doc, section, f.name, defaults.*f.codeMember);
            break;
        }
    }
}

} // namespace

void writeCalculationSections(IniDocument& doc, const SettingsModel& model)
{
    for (int i = 0; i < kCalculationCount; ++i) {
        const std::string s = calculationSectionName(i);
        const CalculationSetting& c = model.calculations[static_cast<std::size_t>(i)];
        writeBool(doc, s, "ENABLED", c.ENABLED);
        writeInteger(doc, s, "MODE", c.MODE);
        writeInteger(doc, s, "ID_A", c.ID_A);
        writeInteger(doc, s, "ID_B", c.ID_B);
    }
}

void writeControllerSections(IniDocument& doc, const SettingsModel& model)
{
    for (int id = 0; id < kControllerCount; ++id) {
        const ControllerSettings& c = model.controllers[static_cast<std::size_t>(id)];
        writeCommon(doc, controllerSectionName(id), c);
        for (int m = 0; m < kMemoryCount; ++m)
            writeMemory(doc, memorySectionName(id, m), c.memories[static_cast<std::size_t>(m)]);
    }
}

void readSettingsSections(const IniDocument& doc, SettingsModel& model)
{
    for (int i = 0; i < kCalculationCount; ++i) {
        const std::string s = calculationSectionName(i);
        const CalculationSetting def = calculationResetValue(i);
        CalculationSetting& c = model.calculations[static_cast<std::size_t>(i)];
        c.ENABLED = readBool(doc, s, "ENABLED", def.ENABLED);
        c.MODE = readIndex(doc, s, "MODE", kCalculationModeCount, def.MODE);
        c.ID_A = readIndex(doc, s, "ID_A", kControllerCount, def.ID_A);
        c.ID_B = readIndex(doc, s, "ID_B", kControllerCount, def.ID_B);
    }
    const MemorySettings memoryDefaults = missingKeyMemoryDefaults();
    for (int id = 0; id < kControllerCount; ++id) {
        ControllerSettings& c = model.controllers[static_cast<std::size_t>(id)];
        readCommon(doc, controllerSectionName(id), c);
        for (int m = 0; m < kMemoryCount; ++m)
            readMemory(doc, memorySectionName(id, m), memoryDefaults, c.memories[static_cast<std::size_t>(m)]);
    }
}

bool hasSettingsSection(const IniDocument& doc)
{
    for (int i = 0; i < kCalculationCount; ++i)
        if (doc.hasSection(calculationSectionName(i)))
            return true;
    for (int id = 0; id < kControllerCount; ++id) {
        if (doc.hasSection(controllerSectionName(id)))
            return true;
        for (int m = 0; m < kMemoryCount; ++m)
            if (doc.hasSection(memorySectionName(id, m)))
                return true;
    }
    return false;
}

} // namespace tavimo::files
