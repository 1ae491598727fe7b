// Every command reachable by its mnemonic with text arguments, for the
// command-line tool: `get HM --id 0`, `set WT --id 0 0.8 0.16 0.0008`.
#pragma once

#include "link/commands.h"

#include <string>
#include <variant>
#include <vector>

namespace tavimo::link {

using CommandValue = std::variant<long long, double, std::string>;

enum class RegistryOutcome {
    Ok,
    UnknownCommand, // no such mnemonic, or not in this direction
    BadArguments,   // wrong count, or not numbers
    Refused,        // a value outside the command's range: nothing was sent
    Failed,         // the transaction failed (Link::lastStatus() says how)
};

struct RegistryResult {
    RegistryOutcome outcome = RegistryOutcome::Ok;
    std::vector<CommandValue> values; // parsed answer of a read (or of a write that answers, HC/LC)
    std::string detail;               // what was wrong with the arguments
};

// `args` are extra read arguments (RBB bounds) or the write values.
RegistryResult getCommand(CommandSet& commands, const std::string& mnemonic, int id, int selector,
                          const std::vector<std::string>& args, bool report);
RegistryResult setCommand(CommandSet& commands, const std::string& mnemonic, int id,
                          const std::vector<std::string>& args, bool report);

// "12.3457" for decimals, plain integers, text as it is.
std::string formatValue(const CommandValue& v);
std::string formatValues(const std::vector<CommandValue>& values);

// Mnemonics with their argument forms, for the help text.
std::vector<std::string> registryHelp();

} // namespace tavimo::link
