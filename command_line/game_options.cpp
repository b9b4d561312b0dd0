// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game_options.h"

#include "default_path.h"

namespace cli {

namespace {

// What --version says after the version, as GNU programs do.
constexpr const char* licence = R"(Copyright 2026 The Tavelquin developers
License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.
This is free software: you are free to change and redistribute it.
There is NO WARRANTY, to the extent permitted by law.
)";

// "a, b or c", with "or" before the last.
std::string listed(const std::vector<std::string>& phrases) {
    std::string text;
    for (std::size_t i = 0; i < phrases.size(); ++i)
        text += (i == 0 ? "" : i + 1 == phrases.size() ? ", or " : ", ") + phrases[i];
    return text;
}

// A paragraph in lines that end by column 79, as the options' do, broken at spaces.
std::string paragraph(const std::string& text) {
    std::string out, line;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find(' ', at);
        if (end == std::string::npos)
            end = text.size();
        const std::string word = text.substr(at, end - at);
        if (!line.empty() && line.size() + 1 + word.size() > 79) {
            out += line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
        at = end + 1;
    }
    return out + line + "\n";
}

std::string helpText(const OptionParser& parser, const std::string& program,
                     const FrontEndHelp& help) {
    std::string text = parser.helpText(program, TAVELQUIN_SUMMARY);
    for (const std::string& note : help.notes)
        text += "\n" + paragraph(note);
    std::vector<std::string> failures = help.failuresBefore;
    for (const char* failure :
         {"a journal was refused or could not be written",
          "a report could not read its journal "
          "(but --page makes a page of a missing one), write its plot or page or open the page",
          "a run-time error ended the game"})
        failures.push_back(failure);
    failures.insert(failures.end(), help.failuresAfter.begin(), help.failuresAfter.end());
    std::vector<std::string> usage = {"an unknown option", "an option without its value",
                                      "--plot or --page without --report", "a stray argument"};
    usage.insert(usage.end(), help.usageErrors.begin(), help.usageErrors.end());
    usage.push_back("a faulty window description");
    return text + "\n" +
           paragraph("Exit status: 0 when the game ends or after --help, --version or a report; "
                     "1 when " +
                     listed(failures) + "; 2 for " + listed(usage) + ".");
}

// The last value given to an option that may take one; empty when it took none.
std::optional<std::string> lastValue(const OptionParser& parser, const std::string& name) {
    if (!parser.isSet(name))
        return std::nullopt;
    return parser.values(name).back().value_or("");
}

} // namespace

std::vector<Option> gameOptions() {
    return {
        {{"h", "help"}, Takes::nothing, "", "Shows this help and exits."},
        {{"version"}, Takes::nothing, "", "Shows the version and exits."},
        {{"journal"},
         Takes::optional,
         "FILE",
         "Keeps every guess in a journal, so that the hunch meter goes on across games: " +
             journal::defaultPlace() + ", or FILE with --journal=FILE."},
        {{"report"},
         Takes::optional,
         "FILE",
         "Prints the journal's games, blind guesses and reading, and exits; it opens no window. "
         "--report=FILE reads FILE."},
        {{"plot"},
         Takes::required,
         "FILE.png",
         "With --report, also draws the rate of right blind guesses over the journal, against "
         "luck and the meter's bands: as SVG for a FILE ending in .svg, else as a PNG image."},
        {{"page"},
         Takes::optional,
         "FILE.html",
         "With --report, also writes the report and its chart as one HTML page that needs "
         "nothing else (with no journal yet, a page that says how to start one) beside the "
         "journal, as journal.html, and opens it in your browser; --page=FILE.html writes "
         "FILE.html "
         "and opens nothing."},
    };
}

Answer usageError(const std::string& what) {
    return {2, "", "tavelquin: " + what + " Try 'tavelquin --help'.\n"};
}

std::optional<Answer> readOptions(OptionParser& parser, const std::vector<std::string>& arguments,
                                  const FrontEndHelp& help, Options& options) {
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    options.journal = lastValue(parser, "journal");
    options.report = lastValue(parser, "report");
    if (parser.isSet("plot") && !options.report)
        return usageError("--plot draws a report: it needs --report.");
    if (parser.isSet("page") && !options.report)
        return usageError("--page shows a report: it needs --report.");
    options.plot = lastValue(parser, "plot");
    options.page = lastValue(parser, "page");
    if (!parser.positional().empty())
        return usageError("Unexpected argument '" + parser.positional().front() + "'.");
    if (parser.isSet("help"))
        return Answer{0, helpText(parser, arguments.empty() ? "tavelquin" : arguments[0], help),
                      ""};
    if (parser.isSet("version"))
        return Answer{0, std::string("Tavelquin ") + TAVELQUIN_VERSION_TEXT + "\n" + licence, ""};
    return std::nullopt;
}

ChosenJournal chosenJournal(const Options& options) {
    std::string path = options.report.value_or("");
    if (path.empty())
        path = options.journal.value_or("");
    if (!path.empty())
        return {path, true};
    return {journal::defaultPath(), false};
}

} // namespace cli
