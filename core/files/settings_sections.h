// The settings model in INI sections, shared by the settings file and the
// application configuration: CALCULATE0..3 with the calculation entries,
// CONTROLLERc with the common items of controller c and CONTROLLERc-m with
// the items of its memory m. Missing or unparsable keys take fixed
// defaults; list indexes outside their list take the default too, and so do
// non-finite decimals.
#pragma once

#include "files/ini_document.h"
#include "settings/settings_model.h"

#include <string>

namespace tavimo::files {

std::string calculationSectionName(int entry);          // "CALCULATE2"
std::string controllerSectionName(int id);              // "CONTROLLER3"
std::string memorySectionName(int id, int memory);      // "CONTROLLER3-2"

// The per-memory values a missing key reads as (HT-01 initial values except
// HI_TH_LEVEL, which is 0.8); they never depend on the head type.
settings::MemorySettings missingKeyMemoryDefaults();

void writeCalculationSections(IniDocument& doc, const settings::SettingsModel& model);
void writeControllerSections(IniDocument& doc, const settings::SettingsModel& model);

// Replaces every controller record and calculation entry of `model` from
// the document; VERSION_INDEX is not touched.
void readSettingsSections(const IniDocument& doc, settings::SettingsModel& model);

// Whether the document holds at least one section of the settings model.
bool hasSettingsSection(const IniDocument& doc);

} // namespace tavimo::files
