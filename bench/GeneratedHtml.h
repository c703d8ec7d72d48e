// About 50 MB of generated HTML as the open benchmark's page: comments, tags with quoted attributes, text
// with entities, tables. Deterministic.
#pragma once

#include <random>
#include <string>

inline std::string GenerateHtml(size_t bytes)
{
    static const char* const kWords[] = {"lorem", "ipsum", "dolor", "sit", "amet", "quick", "brown", "fox", "zefra"};
    static const char* const kTags[] = {"em", "strong", "code", "span", "b"};
    std::mt19937 random(11);
    auto words = [&](int count) {
        std::string text;
        for (int i = 0; i < count; ++i) text += std::string(i ? " " : "") + kWords[random() % std::size(kWords)];
        return text;
    };
    std::string html;
    html.reserve(bytes + 4096);
    html += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>Page</title>\n</head>\n<body>\n";
    for (int section = 1; html.size() < bytes; ++section) {
        html += "<!-- section " + std::to_string(section) + ": " + words(3) + " -->\n";
        html += "<div class=\"c" + std::to_string(random() % 7) + "\" id=\"s" + std::to_string(section) + "\">\n";
        html += "  <h2>" + words(4) + "</h2>\n";
        for (unsigned p = 0; p < 2 + random() % 5; ++p) {
            const char* tag = kTags[random() % std::size(kTags)];
            html += "  <p class=\"c1\">" + words(4 + static_cast<int>(random() % 8)) + " <a href=\"/" + words(1) + "/" +
                    std::to_string(random() % 1000) + ".html\">" + words(2) + "</a> " + words(2) + " &amp; <" + tag +
                    ">" + words(2) + "</" + tag + ">.</p>\n";
        }
        if (random() % 4 == 0) {
            html += "  <table>\n    <tr><td>" + words(1) + "</td><td>" + std::to_string(random() % 100000) +
                    "</td></tr>\n  </table>\n";
        }
        html += "</div>\n";
    }
    return html;
}
