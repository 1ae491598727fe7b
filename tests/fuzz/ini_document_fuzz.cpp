// Any bytes as an INI document: parsing, look-ups, typed reads and a rewrite
// must neither crash nor lose what the document said.
#include "files/ini_document.h"
#include "files/ini_values.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace tavimo::files;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    IniDocument doc = IniDocument::parse(bytes);

    for (const std::string& name : doc.sectionNames()) {
        if (!doc.hasSection(name))
            std::abort();
        (void)readInteger(doc, name, "MODE", 0);
        (void)readDecimal(doc, name, "INT_TRIG_THR", 0.4);
        (void)readBool(doc, name, "ENABLED", true);
        (void)readText(doc, name, "SUS_ID", "");
    }

    // A rewrite is stable: writing the parsed document and parsing it again
    // gives the same text, and a value set before reads back after.
    doc.setValue("CONTROLLER0", "SUS_ID", bytes.substr(0, 16));
    const std::string once = doc.serialize();
    const IniDocument again = IniDocument::parse(once);
    if (again.serialize() != once)
        std::abort();
    const auto expected = doc.value("CONTROLLER0", "SUS_ID");
    if (!expected || again.value("CONTROLLER0", "SUS_ID") != expected)
        std::abort();

    if (const auto v = parseDecimal(bytes.substr(0, 40)))
        if (parseDecimal(formatDecimal(*v)) != (*v == 0 ? 0.0 : *v))
            std::abort();
    return 0;
}
