// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A page of its own for any browser: one HTML file with its style inside,
// no script, and nothing to fetch, that reads the same at any width and zoom.
#pragma once

#include <string>
#include <vector>

namespace report {

// One part of a page: a heading of the second level, and the HTML below it.
struct PageSection {
    std::string id; // the section's fragment, "#id"
    std::string heading;
    std::string html;
};

// The whole page: its title, also its first heading, a paragraph of HTML under
// it, and the sections in order. Every text is HTML already, escaped where
// it needs to be, but the title, which is plain.
std::string htmlPage(const std::string& title, const std::string& intro,
                     const std::vector<PageSection>& sections);

} // namespace report
