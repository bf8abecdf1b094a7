// SPDX-License-Identifier: MIT
// A single forward pass over the tags of an HTML text: fast on any input, however it is broken.
#pragma once

#include <QString>
#include <QStringView>

struct HtmlTag {
    qsizetype start = 0; // the '<'
    qsizetype end = 0;   // after the '>'
    QStringView name;    // without '/' and attributes
    bool closing = false;
    bool selfClosing = false;
};

// Calls visit(tag) for each tag from `from` on, in order, until it returns false. A '<' without a
// later '>' ends the scan: no text is looked at twice.
template <typename Visit> void forEachHtmlTag(QStringView html, qsizetype from, Visit visit) {
    qsizetype i = html.indexOf(u'<', from);
    while (i >= 0) {
        const qsizetype close = html.indexOf(u'>', i + 1);
        if (close < 0) return;
        HtmlTag tag;
        tag.start = i;
        tag.end = close + 1;
        // A text viewer reads "< span>" and "</ b>" as tags too.
        qsizetype p = i + 1;
        while (p < close && html[p].isSpace())
            ++p;
        if (p < close && html[p] == u'/') {
            tag.closing = true;
            ++p;
            while (p < close && html[p].isSpace())
                ++p;
        }
        qsizetype q = p;
        while (q < close && (html[q].isLetterOrNumber() || html[q] == u'!' || html[q] == u'-'))
            ++q;
        tag.name = html.sliced(p, q - p);
        tag.selfClosing = html[close - 1] == u'/';
        if (!visit(tag)) return;
        i = html.indexOf(u'<', close + 1);
    }
}

// Elements that never have a closing tag.
bool isVoidHtmlElement(QStringView name);

// What would hold a text viewer for seconds or minutes: its time grows with the square of the
// nesting depth and of the longest word, doubles with every table in a table, and grows with the
// number of tags.
enum class HtmlTrouble { None, TooDeep, TooManyTags, WordTooLong };
inline constexpr int MaxHtmlNesting = 100;
inline constexpr int MaxHtmlTableNesting = 3;
inline constexpr int MaxHtmlTags = 20000;
inline constexpr int MaxHtmlWordLength = 1000;
HtmlTrouble htmlTrouble(QStringView html);

// How deeply elements nest, counting only elements that must be closed; a closing tag ends only
// an open element of its own name. Counting stops past `limit`.
int htmlNestingDepth(QStringView html, int limit = MaxHtmlNesting);
