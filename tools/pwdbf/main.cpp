// pwdbf: inspect, check and maintain dBASE tables with Paperwisp's engine.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "date_options.h"
#include "engine_session.h"
#include "subcommand.h"
#include "tool_error.h"

namespace {

using pw::pwdbf::Subcommand;

std::vector<Subcommand> AllSubcommands() {
  using namespace pw::pwdbf;
  return {InfoCommand(), DumpCommand(),   CheckCommand(),  ReindexCommand(),
          PackCommand(), CreateCommand(), AppendCommand(), EvalCommand()};
}

void PrintOverview(std::ostream& out, const std::vector<Subcommand>& subcommands) {
  out << "usage: pwdbf COMMAND [ARGUMENTS]\n\n"
         "Inspects, checks and maintains dBASE tables (.dbf, .dbt, .mdx).\n\n"
         "Commands:\n";
  for (const Subcommand& subcommand : subcommands) out << "  pwdbf " << subcommand.usage << "\n";
  out << "\nEvery command takes --date LAYOUT and --century on|off (default american, off)\n"
         "for the date texts of expressions.\n"
         "'pwdbf COMMAND --help' describes a command.\n";
}

int RunSubcommand(const Subcommand& subcommand, const std::vector<std::string>& words) {
  pw::pwdbf::Arguments arguments;
  std::vector<pw::pwdbf::OptionDefinition> options = subcommand.options;
  for (pw::pwdbf::OptionDefinition& option : pw::pwdbf::DateOptionDefinitions())
    options.push_back(option);
  std::string error;
  if (!arguments.Parse(words, options, subcommand.minOperands, subcommand.maxOperands, &error) ||
      (!arguments.HelpAsked() && !pw::pwdbf::ApplyDateOptions(arguments, &error))) {
    std::cerr << "pwdbf " << subcommand.name << ": " << error << " (see pwdbf " << subcommand.name
              << " --help)\n";
    return 2;
  }
  if (arguments.HelpAsked()) {
    std::cout << "usage: pwdbf " << subcommand.usage << "\n\n"
              << subcommand.help << "\n"
              << pw::pwdbf::DateOptionsHelp();
    return 0;
  }
  try {
    pw::pwdbf::StartEngineSession();
    return subcommand.run(arguments);
  } catch (const std::exception& failure) {
    std::cout.flush();
    std::cerr << "pwdbf " << subcommand.name << ": " << failure.what() << "\n";
    return 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<Subcommand> subcommands = AllSubcommands();
  const std::vector<std::string> words(argv + 1, argv + argc);
  if (words.empty()) {
    PrintOverview(std::cerr, subcommands);
    return 2;
  }
  if (words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
    PrintOverview(std::cout, subcommands);
    return 0;
  }
  for (const Subcommand& subcommand : subcommands) {
    if (subcommand.name == words[0]) {
      return RunSubcommand(subcommand, {words.begin() + 1, words.end()});
    }
  }
  std::cerr << "pwdbf: unknown command " << words[0] << " (see pwdbf --help)\n";
  return 2;
}
