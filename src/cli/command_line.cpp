#include "cli/command_line.h"

#include <charconv>
#include <iostream>
#include <sstream>

namespace quelvar::cli {

namespace {

constexpr int kUsageStatus = 2;

// The options of a command, those of its option groups (nameless subcommands)
// included.
std::vector<const CLI::Option*> optionsOf(const CLI::App& command)
{
    std::vector<const CLI::Option*> options = command.get_options();
    for (const CLI::App* group :
         command.get_subcommands([](const CLI::App* sub) { return sub->get_name().empty(); }))
        for (const CLI::Option* option : optionsOf(*group))
            options.push_back(option);
    return options;
}

std::vector<const CLI::App*> namedCommands(const CLI::App& app)
{
    return app.get_subcommands([](const CLI::App* sub) { return !sub->get_name().empty(); });
}

// The first argument that looks like an option and that no option took, or else a
// first word that names no command ("exprot"); empty when neither.
std::string unknownArgument(const CLI::App& app)
{
    const std::vector<std::string> remaining = app.remaining(true);
    for (const std::string& arg : remaining)
        if (arg.size() > 1 && arg[0] == '-') return "unknown option " + arg;
    if (!namedCommands(app).empty() && app.get_subcommands().empty() && !remaining.empty())
        return "unknown command " + remaining.front();
    return {};
}

std::string identifier(std::string name)
{
    for (char& c : name)
        if (c == '-') c = '_';
    return name;
}

std::string joined(const std::vector<std::string>& words, char separator)
{
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : std::string(1, separator)) + word;
    return text;
}

// What completes a word of a type's list: "b=N" offers "b=", "a4->1" (a mapping) "a4".
std::string offeredWord(const std::string& word)
{
    if (const auto arrow = word.find("->"); arrow != word.npos) return word.substr(0, arrow);
    const auto equals = word.find('=');
    return equals == word.npos ? word : word.substr(0, equals + 1);
}

// The bash command that completes a value of this type; empty when nothing helps
// (numbers, free texts). "{a,b=N}" offers "a" and "b=".
std::string valueCompletion(const std::string& typeName)
{
    if (const auto open = typeName.find('{'); open != std::string::npos) {
        std::vector<std::string> words;
        std::istringstream list(typeName.substr(open + 1, typeName.find('}', open) - open - 1));
        for (std::string word; std::getline(list, word, ',');)
            words.push_back(offeredWord(word));
        return "__quelvar_words '" + joined(words, ' ') + "'";
    }
    if (typeName.starts_with(kDeviceValue)) return "__quelvar_devices";
    if (typeName.starts_with(kSetupValue)) return "__quelvar_files sf toml";
    if (typeName.starts_with(kPathValue)) return "__quelvar_files";
    return {};
}

struct CommandWords {
    std::vector<std::string> options;        // every name of every option
    std::vector<std::string> valued;         // the names of those that take a value
    std::ostringstream valueCases;           // case arms on $prev
    std::vector<std::string> positionCases;  // the completion of each positional
};

CommandWords commandWords(const CLI::App& command)
{
    CommandWords words;
    for (const CLI::Option* option : optionsOf(command)) {
        if (option->get_positional()) {
            words.positionCases.push_back(valueCompletion(option->get_type_name()));
            continue;
        }
        std::vector<std::string> names;
        for (const std::string& name : option->get_lnames())
            names.push_back("--" + name);
        for (const std::string& name : option->get_snames())
            names.push_back("-" + name);
        words.options.insert(words.options.end(), names.begin(), names.end());
        if (option->get_items_expected_max() == 0) continue;  // a flag
        words.valued.insert(words.valued.end(), names.begin(), names.end());
        const std::string completion = valueCompletion(option->get_type_name());
        words.valueCases << "        " << joined(names, '|') << ") "
                         << (completion.empty() ? "" : completion + "; ") << "return ;;\n";
    }
    if (const auto commands = namedCommands(command); !commands.empty()) {
        std::vector<std::string> names;
        for (const CLI::App* sub : commands)
            names.push_back(sub->get_name());
        words.positionCases.insert(words.positionCases.begin(),
                                   "__quelvar_words '" + joined(names, ' ') + "'");
    }
    return words;
}

// One function a command: the values of its options, its options, its positionals.
void writeCommandFunction(std::ostream& out, const std::string& function, const CLI::App& command)
{
    const CommandWords words = commandWords(command);
    out << function << "()\n{\n    case $prev in\n"
        << words.valueCases.str() << "    esac\n"
        << "    if [[ $cur == -* ]]; then __quelvar_words '" << joined(words.options, ' ')
        << "'; return; fi\n"
        << "    case $(__quelvar_position " << joined(words.valued, ' ') << ") in\n";
    for (std::size_t i = 0; i < words.positionCases.size(); ++i)
        if (!words.positionCases[i].empty())
            out << "        " << i << ") " << words.positionCases[i] << " ;;\n";
    out << "    esac\n}\n\n";
}

// What every script shares: $cur and $prev are the caller's, $start the first word
// after the command.
constexpr const char* kHelpers = R"(__quelvar_words()
{
    local IFS=$' \t\n'
    COMPREPLY=($(compgen -W "$1" -- "$cur"))
    [[ ${COMPREPLY[0]} == *= ]] && compopt -o nospace 2>/dev/null
}

# Folders, and the files whose names end in one of the extensions given (any file
# when none is given).
__quelvar_files()
{
    local IFS=$'\n' ext
    compopt -o filenames 2>/dev/null
    if [[ $# -eq 0 ]]; then COMPREPLY=($(compgen -f -- "$cur")); return; fi
    COMPREPLY=($(compgen -d -- "$cur"))
    for ext; do COMPREPLY+=($(compgen -f -X "!*.$ext" -- "$cur")); done
}

# Serial devices present; any file (a simulator's link) when none matches.
__quelvar_devices()
{
    local IFS=$'\n' devices
    devices=$(compgen -G '/dev/ttyUSB*'; compgen -G '/dev/ttyACM*';
              compgen -G '/dev/serial/by-id/*'; compgen -G '/dev/ttyS*')
    COMPREPLY=($(compgen -W "$devices" -- "$cur"))
    [[ ${#COMPREPLY[@]} -eq 0 ]] && __quelvar_files
}

# How many positional arguments come before the word being completed; the
# arguments name the options that take a value.
__quelvar_position()
{
    local valued=" $* " i n=0 rest=
    for ((i = start; i < COMP_CWORD; i++)); do
        local word=${COMP_WORDS[i]}
        if [[ -n $rest || $word != -* ]]; then
            [[ $word == = ]] || ((n++))
        elif [[ $word == -- ]]; then
            rest=1
        elif [[ $valued == *" $word "* ]]; then
            ((i++))
            [[ ${COMP_WORDS[i]} == = ]] && ((i++))
        fi
    done
    echo $n
}

)";

}  // namespace

CLI::Validator decimalIn(long low, long high, const std::string& what)
{
    // CLI11 reads "010" as octal and "0x10" as hex; a technician means decimal.
    auto check = [=](std::string& text) -> std::string {
        long n = 0;
        const char* end = text.data() + text.size();
        auto [ptr, ec] = std::from_chars(text.data(), end, n);
        if (text.empty() || ec != std::errc{} || ptr != end || n < low || n > high)
            return "'" + text + "' is not " + what + " (" + std::to_string(low) + "-" +
                   std::to_string(high) + ")";
        text = std::to_string(n);
        return {};
    };
    return CLI::Validator(check, std::to_string(low) + "-" + std::to_string(high));
}

CLI::Validator notEmpty(const std::string& what)
{
    return CLI::Validator(
        [what](const std::string& text) { return text.empty() ? what + " is empty" : std::string(); },
        "");
}

int parseCommandLine(CLI::App& app, int argc, char** argv)
{
    try {
        app.parse(argc, argv);
        return -1;
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == 0) return app.exit(e);  // --help, --version
        const std::string unknown = unknownArgument(app);
        // help() describes the command that was named, or the program without one.
        std::cerr << app.get_name() << ": " << (unknown.empty() ? std::string(e.what()) : unknown)
                  << '\n'
                  << app.help();
        return kUsageStatus;
    }
}

std::string bashCompletion(const CLI::App& app)
{
    const std::string program = app.get_name();
    const std::string function = "_" + identifier(program);
    std::ostringstream out;
    out << "# bash completion for " << program << ", made by `" << program
        << " --bash-completion`\n\n"
        << kHelpers;
    writeCommandFunction(out, function + "_", app);
    std::ostringstream dispatch;
    for (const CLI::App* command : namedCommands(app)) {
        const std::string& name = command->get_name();
        writeCommandFunction(out, function + "_" + identifier(name), *command);
        dispatch << "            " << name << ") command=" << identifier(name)
                 << "; start=$((i + 1)); break ;;\n";
    }
    out << function << "()\n{\n"
        << "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
        << "    local i start=1 command=\n"
        << "    # --option=value comes as three words\n"
        << "    if [[ $cur == = ]]; then cur=; elif [[ $prev == = ]]; then "
           "prev=${COMP_WORDS[COMP_CWORD-2]}; fi\n"
        << "    COMPREPLY=()\n"
        << "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
        << "        case ${COMP_WORDS[i]} in\n"
        << dispatch.str() << "        esac\n    done\n"
        << "    " << function << "_$command\n}\n"
        << "complete -F " << function << ' ' << program << '\n';
    return out.str();
}

void addBashCompletionFlag(CLI::App& app)
{
    app.add_flag_callback(
        "--bash-completion",
        [&app] {
            std::cout << bashCompletion(app);
            throw CLI::Success();
        },
        "print the bash completion script and exit");
}

}  // namespace quelvar::cli
