// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "html_page.h"

#include "text_format.h"

namespace report {
namespace {

// The browser may load nothing, run nothing and send nothing: only this
// style, and pictures drawn inside the page.
constexpr const char* policy = "default-src 'none'; style-src 'unsafe-inline'; img-src data:";

// Dark ink on white, text that wraps at any width, pictures and tables that
// shrink with the window, and room to breathe at 200% zoom.
constexpr const char* style = R"(
html { color: #202020; background: #ffffff; color-scheme: light; }
body { font-family: "DejaVu Sans", Verdana, sans-serif; font-size: 1rem; line-height: 1.5;
       max-width: 62rem; margin: 0 auto; padding: 0.5rem 1rem 2rem; }
h1 { font-size: 1.6rem; line-height: 1.25; margin: 1rem 0 0.5rem; }
h2 { font-size: 1.3rem; line-height: 1.25; margin: 2rem 0 0.5rem; }
p, li { max-width: 44rem; }
code, .path { overflow-wrap: anywhere; }
code { font-family: "DejaVu Sans Mono", monospace; font-size: 0.95em; }
figure { margin: 1rem 0; }
svg { display: block; width: 100%; max-width: 960px; height: auto; }
table { border-collapse: collapse; margin: 1rem 0; font-variant-numeric: tabular-nums; }
caption { caption-side: top; text-align: left; padding-bottom: 0.25rem; }
th, td { padding: 0.25rem 0.6rem; border-bottom: 1px solid #8c8c8c; text-align: right;
         vertical-align: top; }
th[scope="row"], thead th:first-child, .facts td { text-align: left; }
thead th { border-bottom: 2px solid #202020; }
@media (max-width: 30rem) {
  body { padding: 0.25rem 0.5rem 1rem; }
  table { font-size: 0.8125rem; }
  th, td { padding: 0.25rem 0.2rem; }
}
)";

} // namespace

std::string htmlPage(const std::string& title, const std::string& intro,
                     const std::vector<PageSection>& sections) {
    std::string page = std::string("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n"
                                   "<meta charset=\"utf-8\">\n"
                                   "<meta http-equiv=\"Content-Security-Policy\" content=\"") +
                       policy +
                       "\">\n<meta name=\"viewport\" content=\"width=device-width, "
                       "initial-scale=1\">\n<title>" +
                       escaped(title) + "</title>\n<style>" + style +
                       "</style>\n</head>\n<body>\n" + "<header>\n<h1>" + escaped(title) +
                       "</h1>\n" + intro + "\n</header>\n<main>\n";
    for (const PageSection& section : sections)
        page += "<section id=\"" + section.id + "\" aria-labelledby=\"" + section.id +
                "-heading\">\n<h2 id=\"" + section.id + "-heading\">" + section.heading +
                "</h2>\n" + section.html + "\n</section>\n";
    return page + "</main>\n</body>\n</html>\n";
}

} // namespace report
