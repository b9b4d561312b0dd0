// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "option_parser.h"

#include <algorithm>

namespace cli {

namespace {

constexpr std::size_t none = std::size_t(-1);

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v'; }

// One option's help: its names in a column `width` wide, then its text, one
// paragraph, wrapped to end by column 79, as Qt's parser lays it out (a line
// may take one character more after a break, as there).
std::string wrapped(const std::string& names, std::size_t width, const std::string& text) {
    std::string out;
    std::size_t nameAt = 0;
    auto nameColumn = [&] {
        std::string section = names.substr(std::min(nameAt, names.size()), width);
        nameAt += section.size();
        section.resize(std::max(section.size(), width), ' ');
        return "  " + section + " ";
    };
    const std::size_t max = 79 - (2 + width + 1);
    std::size_t lineStart = 0, x = 0;
    std::size_t lastBreakable = none;
    for (std::size_t i = 0; i < text.size(); ++i) {
        ++x;
        if (isSpace(text[i]))
            lastBreakable = i;
        std::size_t breakAt = none, nextLineStart = none;
        if (x > max && lastBreakable != none) {
            breakAt = lastBreakable;
            nextLineStart = lastBreakable + 1;
        } else if ((x > max - 1 && lastBreakable == none) || i + 1 == text.size()) {
            breakAt = nextLineStart = i + 1;
        }
        if (breakAt == none)
            continue;
        out += nameColumn() + text.substr(lineStart, breakAt - lineStart) + "\n";
        x = 0;
        lastBreakable = none;
        lineStart = nextLineStart;
        if (lineStart < text.size() && isSpace(text[lineStart]))
            ++lineStart; // no line starts with a space
        i = lineStart;
    }
    // Names longer than their column go on in lines of their own.
    for (; nameAt < names.size(); nameAt += width)
        out += "  " + names.substr(nameAt, width) + "\n";
    return out;
}

} // namespace

std::size_t OptionParser::find(const std::string& name) const {
    for (std::size_t i = 0; i < options_.size(); ++i)
        if (std::find(options_[i].names.begin(), options_[i].names.end(), name) !=
            options_[i].names.end())
            return i;
    return none;
}

bool OptionParser::parse(const std::vector<std::string>& arguments) {
    found_.assign(options_.size(), {});
    positional_.clear();
    unknown_.clear();
    error_.clear();
    bool onlyPositional = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (onlyPositional || argument.size() < 2 || argument[0] != '-') {
            positional_.push_back(argument);
            continue;
        }
        if (argument == "--") {
            onlyPositional = true;
            continue;
        }
        const std::size_t dashes = argument[1] == '-' ? 2 : 1;
        const std::size_t assign = argument.find('=');
        const std::string name = argument.substr(
            dashes, assign == std::string::npos ? std::string::npos : assign - dashes);
        const std::size_t option = find(name);
        if (option == none) {
            unknown_.push_back(name);
            continue;
        }
        std::optional<std::string> value;
        if (assign != std::string::npos)
            value = argument.substr(assign + 1);
        switch (options_[option].takes) {
        case Takes::nothing:
            if (value) {
                error_ = "Unexpected value after '" + argument.substr(0, assign) + "'.";
                continue;
            }
            break;
        case Takes::optional:
            break;
        case Takes::required:
            if (!value && i + 1 == arguments.size()) {
                error_ = "Missing value after '" + argument + "'.";
                continue;
            }
            if (!value)
                value = arguments[++i];
            break;
        }
        found_[option].push_back(value);
    }
    return error_.empty() && unknown_.empty();
}

std::string OptionParser::errorText() const {
    if (!error_.empty())
        return error_;
    if (unknown_.size() == 1)
        return "Unknown option '" + unknown_.front() + "'.";
    std::string text = "Unknown options: ";
    for (const std::string& name : unknown_)
        text += name + (&name == &unknown_.back() ? "." : ", ");
    return unknown_.empty() ? std::string() : text;
}

const std::vector<std::optional<std::string>>& OptionParser::values(const std::string& name) const {
    static const std::vector<std::optional<std::string>> nothing;
    const std::size_t option = find(name);
    return option == none || option >= found_.size() ? nothing : found_[option];
}

std::string OptionParser::helpText(const std::string& program, const std::string& summary) const {
    std::vector<std::string> names;
    std::size_t width = 0;
    for (const Option& option : options_) {
        std::string shown;
        for (const std::string& name : option.names)
            shown +=
                (shown.empty() ? "" : ", ") + std::string(name.size() == 1 ? "-" : "--") + name;
        if (option.takes == Takes::optional)
            shown += "[=" + option.valueName + "]";
        else if (option.takes == Takes::required)
            shown += " <" + option.valueName + ">";
        names.push_back(shown);
        if (!option.help.empty())
            width = std::max(width, shown.size() + 1);
    }
    std::string text = "Usage: " + program + " [options]\n" + summary + "\n\nOptions:\n";
    for (std::size_t i = 0; i < options_.size(); ++i)
        if (!options_[i].help.empty())
            text += wrapped(names[i], std::min<std::size_t>(width, 50), options_[i].help);
    return text;
}

} // namespace cli
