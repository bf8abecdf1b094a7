// Counting is by open and close tags alone; elements whose end tag may be left out (p, li, td...)
// never nest in practice and are not counted.
#include "HtmlScan.h"

#include <QStringList>

#include <algorithm>

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

int htmlNestingDepth(QStringView html) {
    static const QStringList optionalEnd = {
        "p",     "li",    "dt",       "dd",      "tr", "td", "th",   "option", "optgroup", "thead",
        "tbody", "tfoot", "colgroup", "caption", "rt", "rp", "html", "head",   "body"};
    int depth = 0;
    int deepest = 0;
    forEachHtmlTag(html, 0, [&](const HtmlTag& tag) {
        if (tag.name.isEmpty() || tag.name.startsWith(u'!') || tag.selfClosing ||
            isVoidHtmlElement(tag.name) || isIn(tag.name, optionalEnd))
            return true;
        if (tag.closing)
            depth = std::max(0, depth - 1);
        else
            deepest = std::max(deepest, ++depth);
        return true;
    });
    return deepest;
}
