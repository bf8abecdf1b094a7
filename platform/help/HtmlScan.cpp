// SPDX-License-Identifier: MIT
// Counting is by open and close tags alone; elements whose end tag may be left out (p, li, td...)
// never nest in practice and are not counted.
#include "platform/help/HtmlScan.h"

#include <QStringList>

#include <algorithm>
#include <vector>

namespace {

bool isIn(QStringView name, const QStringList& names) {
    return std::any_of(names.begin(), names.end(),
                       [&](const QString& n) { return name.compare(n, Qt::CaseInsensitive) == 0; });
}

} // namespace

bool isVoidHtmlElement(QStringView name) {
    static const QStringList names = {"area",  "base", "br",   "col",   "embed",  "hr",    "img",
                                      "input", "link", "meta", "param", "source", "track", "wbr"};
    return isIn(name, names);
}

namespace {

bool isOptionalEnd(QStringView name) {
    static const QStringList optionalEnd = {
        "p",     "li",    "dt",       "dd",      "tr", "td", "th",   "option", "optgroup", "thead",
        "tbody", "tfoot", "colgroup", "caption", "rt", "rp", "html", "head",   "body"};
    return isIn(name, optionalEnd);
}

struct NestingScan {
    int deepest = 0;
    int deepestTables = 0;
    int tags = 0;
};

// One pass over the tags with a stack of the open elements, which never grows past the limit.
NestingScan scanNesting(QStringView html, int limit) {
    NestingScan scan;
    std::vector<QStringView> open;
    int tables = 0;
    forEachHtmlTag(html, 0, [&](const HtmlTag& tag) {
        ++scan.tags;
        if (tag.name.isEmpty() || tag.name.startsWith(u'!') || tag.selfClosing ||
            isVoidHtmlElement(tag.name) || isOptionalEnd(tag.name))
            return scan.tags <= MaxHtmlTags;
        const bool table = tag.name.compare(u"table", Qt::CaseInsensitive) == 0;
        if (!tag.closing) {
            open.push_back(tag.name);
            if (table) scan.deepestTables = std::max(scan.deepestTables, ++tables);
            scan.deepest = std::max(scan.deepest, static_cast<int>(open.size()));
            return static_cast<int>(open.size()) <= limit && scan.tags <= MaxHtmlTags;
        }
        for (auto at = open.size(); at-- > 0;) {
            if (open[at].compare(tag.name, Qt::CaseInsensitive) != 0) continue;
            for (auto k = at; k < open.size(); ++k)
                if (open[k].compare(u"table", Qt::CaseInsensitive) == 0) --tables;
            open.resize(at);
            break;
        }
        return scan.tags <= MaxHtmlTags;
    });
    return scan;
}

int longestWord(QStringView html) {
    int longest = 0;
    int run = 0;
    bool inTag = false;
    for (const QChar c : html) {
        if (inTag) {
            if (c == u'>') inTag = false;
            continue;
        }
        if (c == u'<') {
            inTag = true;
            run = 0;
        } else if (c.isSpace()) {
            run = 0;
        } else {
            longest = std::max(longest, ++run);
        }
    }
    return longest;
}

} // namespace

int htmlNestingDepth(QStringView html, int limit) {
    return scanNesting(html, limit).deepest;
}

HtmlTrouble htmlTrouble(QStringView html) {
    const NestingScan scan = scanNesting(html, MaxHtmlNesting);
    if (scan.deepest > MaxHtmlNesting || scan.deepestTables > MaxHtmlTableNesting)
        return HtmlTrouble::TooDeep;
    if (scan.tags > MaxHtmlTags) return HtmlTrouble::TooManyTags;
    if (longestWord(html) > MaxHtmlWordLength) return HtmlTrouble::WordTooLong;
    return HtmlTrouble::None;
}
