// SPDX-License-Identifier: MIT
// The built-in rules viewer.
#include "platform/help/HelpViewer.h"

#include "platform/help/HtmlScan.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStringConverter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace {

std::vector<QPointer<HelpViewer>>& registry() {
    static std::vector<QPointer<HelpViewer>> viewers;
    return viewers;
}

void prune() {
    auto& viewers = registry();
    viewers.erase(std::remove_if(viewers.begin(), viewers.end(),
                                 [](const QPointer<HelpViewer>& v) { return v.isNull(); }),
                  viewers.end());
}

QString sameFileKey(const QString& file) {
    return QFileInfo(file).absoluteFilePath();
}

// A rules file is a few dozen kilobytes and nests a few levels deep.
constexpr qint64 MaxHelpFileSize = 512 * 1024;

// The text inside the first element of that name, up to its first closing tag (or its last, for
// the head, which may hold anything); empty when there is none.
QString elementContent(const QString& html, const QString& name, bool lastClose) {
    qsizetype from = -1;
    qsizetype to = -1;
    forEachHtmlTag(html, 0, [&](const HtmlTag& tag) {
        if (tag.name.compare(name, Qt::CaseInsensitive) != 0) return true;
        if (from < 0) {
            if (!tag.closing) from = tag.end;
            return true;
        }
        if (tag.closing) {
            to = tag.start;
            return lastClose;
        }
        return true;
    });
    return from < 0 || to < 0 ? QString() : html.mid(from, to - from);
}

// Links and pictures of the rules page: nothing outside the page's own folder is read, and only
// web and mail addresses are handed to the desktop.
class RulesBrowser : public QTextBrowser {
  public:
    using QTextBrowser::QTextBrowser;
    QString folder;

    QVariant loadResource(int type, const QUrl& name) override {
        const QUrl url = document()->baseUrl().resolved(name);
        if (!url.isLocalFile() || folder.isEmpty()) return refused(type);
        const QString path = QFileInfo(url.toLocalFile()).canonicalFilePath();
        const QString root = QFileInfo(folder).canonicalFilePath();
        if (path.isEmpty() || root.isEmpty() || !path.startsWith(root + u'/')) return refused(type);
        if (!QFileInfo(path).isFile() || QFileInfo(path).size() > MaxHelpFileSize)
            return refused(type);
        return QTextBrowser::loadResource(type, QUrl::fromLocalFile(path));
    }

    // Something in place of a refused resource: given nothing, the text document would go and
    // read the address itself. An empty picture would make it try the file by name, too.
    static QVariant refused(int type) {
        if (type == QTextDocument::ImageResource) {
            QImage blank(1, 1, QImage::Format_ARGB32);
            blank.fill(Qt::transparent);
            return blank;
        }
        if (type == QTextDocument::StyleSheetResource) return QString();
        return QByteArray();
    }
};

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

QString plainText(const QString& html) {
    QString text = html;
    text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    QTextDocument doc;
    doc.setHtml(text); // resolves entities
    return doc.toPlainText().simplified();
}

} // namespace

HelpViewer::HelpViewer(const QString& helpFile) : m_file(helpFile) {
    setAttribute(Qt::WA_DeleteOnClose);
    // An open rules window must not keep the program alive once the game window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Morvek"));
    m_browser = new RulesBrowser(this);
    m_browser->setOpenLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpViewer::linkClicked);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(640, 600);
}

HelpViewer::~HelpViewer() = default;

void HelpViewer::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

HelpViewer* HelpViewer::open(const QString& helpFile, int topic) {
    prune();
    HelpViewer* viewer = nullptr;
    for (const auto& v : registry())
        if (sameFileKey(v->m_file) == sameFileKey(helpFile)) viewer = v;
    if (!viewer) {
        viewer = new HelpViewer(helpFile);
        registry().emplace_back(viewer);
    }
    viewer->showTopic(topic);
    if (viewer->isMinimized()) viewer->showNormal();
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return viewer;
}

void HelpViewer::closeAll() {
    prune();
    // Deleted at once: the game calls this on its way out, when no event loop may follow.
    const auto viewers = registry();
    registry().clear();
    for (const auto& v : viewers)
        if (v) delete v.data();
}

std::vector<HelpViewer*> HelpViewer::viewers() {
    prune();
    std::vector<HelpViewer*> result;
    for (const auto& v : registry())
        result.push_back(v);
    return result;
}

QString HelpViewer::extractSection(const QString& html, const QString& id) {
    // Each tag is matched on its own text, so a broken file cannot make the search slow.
    const QRegularExpression idAttribute(
        QStringLiteral(
            R"(^<[A-Za-z][A-Za-z0-9]*\b[^>]*?\sid\s*=\s*(?:"%1"|'%1'|%1(?=[\s/>]))[^>]*>$)")
            .arg(QRegularExpression::escape(id)),
        QRegularExpression::CaseInsensitiveOption);
    std::optional<HtmlTag> start;
    forEachHtmlTag(html, 0, [&](const HtmlTag& tag) {
        if (tag.closing || tag.name.isEmpty() || !tag.name[0].isLetter()) return true;
        if (!idAttribute.match(QStringView(html).sliced(tag.start, tag.end - tag.start)).hasMatch())
            return true;
        start = tag;
        return false;
    });
    if (!start) return {};
    const QStringView name = start->name;
    if (isVoidHtmlElement(name) || start->selfClosing)
        return html.mid(start->start, start->end - start->start);

    // Walk to the closing tag that matches, counting nested elements of the same name.
    int depth = 1;
    qsizetype end = -1;
    forEachHtmlTag(html, start->end, [&](const HtmlTag& tag) {
        if (tag.name.compare(name, Qt::CaseInsensitive) != 0) return true;
        if (!tag.closing) {
            if (!tag.selfClosing) ++depth;
        } else if (--depth == 0) {
            end = tag.end;
            return false;
        }
        return true;
    });
    // An element left open runs to the end of the text.
    return end < 0 ? html.mid(start->start) : html.mid(start->start, end - start->start);
}

bool HelpViewer::showTopic(int topic) {
    m_currentTopic = topic;
    QFile file(m_file);
    if (!QFileInfo(m_file).isFile()) {
        showReport(
            QStringLiteral("Die Hilfedatei <b>%1</b> wurde nicht gefunden.").arg(escaped(m_file)),
            QStringLiteral("The help file <b>%1</b> was not found.").arg(escaped(m_file)));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        showReport(QStringLiteral("Die Hilfedatei <b>%1</b> kann nicht gelesen werden.")
                       .arg(escaped(m_file)),
                   QStringLiteral("The help file <b>%1</b> cannot be read.").arg(escaped(m_file)));
        return false;
    }
    // A rules file is a few dozen kilobytes; anything far beyond is no rules file, and reading it
    // would cost seconds and gigabytes.
    if (file.size() > MaxHelpFileSize) {
        showReport(QStringLiteral("Die Hilfedatei <b>%1</b> ist zu groß.").arg(escaped(m_file)),
                   QStringLiteral("The help file <b>%1</b> is too large.").arg(escaped(m_file)));
        return false;
    }
    const QByteArray bytes = file.read(MaxHelpFileSize);
    const auto encoding = QStringConverter::encodingForHtml(bytes);
    QStringDecoder decode(encoding.value_or(QStringConverter::Utf8));
    const QString html = decode(bytes);

    const QString section = extractSection(html, QString::number(topic));
    if (section.isEmpty()) {
        // Both at once: a "%2" in the file's path must stay as it is.
        const QString number = QString::number(topic);
        showReport(QStringLiteral("Die Hilfedatei <b>%1</b> enthält das Thema %2 nicht.")
                       .arg(escaped(m_file), number),
                   QStringLiteral("The help file <b>%1</b> has no topic %2.")
                       .arg(escaped(m_file), number));
        return false;
    }

    const bool anchorOnly = plainText(section).isEmpty();
    // The section keeps the file's head, so its style sheet and title still apply.
    const QString head = elementContent(html, QStringLiteral("head"), true);
    const QString shown =
        anchorOnly
            ? html
            : QStringLiteral("<html><head>%1</head><body>%2</body></html>").arg(head, section);

    // What would hold the viewer, and the game with it, for seconds or for good.
    switch (htmlTrouble(shown)) {
    case HtmlTrouble::None:
        break;
    case HtmlTrouble::TooDeep:
        showReport(
            QStringLiteral("Die Hilfedatei <b>%1</b> ist zu tief verschachtelt.")
                .arg(escaped(m_file)),
            QStringLiteral("The help file <b>%1</b> is nested too deeply.").arg(escaped(m_file)));
        return false;
    case HtmlTrouble::TooManyTags:
        showReport(
            QStringLiteral("Die Hilfedatei <b>%1</b> enthält zu viele Auszeichnungen.")
                .arg(escaped(m_file)),
            QStringLiteral("The help file <b>%1</b> has too many tags.").arg(escaped(m_file)));
        return false;
    case HtmlTrouble::WordTooLong:
        showReport(QStringLiteral("Die Hilfedatei <b>%1</b> enthält ein zu langes Wort.")
                       .arg(escaped(m_file)),
                   QStringLiteral("The help file <b>%1</b> has a word too long to show.")
                       .arg(escaped(m_file)));
        return false;
    }
    const QFileInfo info(m_file);
    m_browser->document()->setBaseUrl(QUrl::fromLocalFile(info.absolutePath() + QLatin1Char('/')));
    static_cast<RulesBrowser*>(m_browser)->folder = info.absolutePath();

    if (anchorOnly) {
        // The id marks a point rather than a block: show the whole file from there.
        m_browser->setHtml(html);
        m_browser->scrollToAnchor(QString::number(topic));
    } else {
        m_browser->setHtml(shown);
        m_browser->verticalScrollBar()->setValue(0);
    }
    m_failed = false;

    const QString title =
        plainText(elementContent(anchorOnly ? html : section, QStringLiteral("h1"), false));
    setWindowTitle(title.isEmpty() ? QStringLiteral("Morvek") : title);
    return true;
}

void HelpViewer::showReport(const QString& german, const QString& english) {
    m_failed = true;
    setWindowTitle(QStringLiteral("Morvek \u2013 Hilfe / Help"));
    m_browser->setHtml(QStringLiteral("<h2>Die Spielregeln können nicht angezeigt werden.</h2>"
                                      "<p>%1</p><hr/>"
                                      "<h2>The rules cannot be shown.</h2><p>%2</p>")
                           .arg(german, english));
}

void HelpViewer::linkClicked(const QUrl& url) {
    // A link into the rules file itself, by its name or by a bare "#..."; "#2" leads to another
    // topic, any other name to a place in the one shown.
    const QUrl target = QUrl::fromLocalFile(QFileInfo(m_file).absoluteFilePath()).resolved(url);
    const bool intoThisFile =
        target.isLocalFile() &&
        QFileInfo(target.toLocalFile()).absoluteFilePath() == QFileInfo(m_file).absoluteFilePath();
    if (intoThisFile) {
        if (!url.hasFragment()) return;
        bool number = false;
        const int topic = url.fragment().toInt(&number);
        if (number)
            showTopic(topic);
        else
            m_browser->scrollToAnchor(url.fragment());
        return;
    }
    // Web pages and mail go to the desktop; every other scheme (script, data, file shares,
    // programs' own) is ignored.
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
        scheme == QLatin1String("mailto"))
        QDesktopServices::openUrl(url);
}
