// The built-in rules viewer.
#include "HelpViewer.h"

#include "HtmlScan.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
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

std::vector<QPointer<HelpViewer>>& Registry() {
    static std::vector<QPointer<HelpViewer>> viewers;
    return viewers;
}

void Prune() {
    auto& viewers = Registry();
    viewers.erase(std::remove_if(viewers.begin(), viewers.end(),
                                 [](const QPointer<HelpViewer>& v) { return v.isNull(); }),
                  viewers.end());
}

QString SameFileKey(const QString& file) {
    return QFileInfo(file).absoluteFilePath();
}

// A rules file is a few dozen kilobytes and nests a few levels deep.
constexpr qint64 MaxHelpFileSize = 2 * 1024 * 1024;
constexpr int MaxHelpNesting = 100;

// The text inside the first element of that name, up to its first closing tag (or its last, for
// the head, which may hold anything); empty when there is none.
QString ElementContent(const QString& html, const QString& name, bool lastClose) {
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
    QString Folder;

    QVariant loadResource(int type, const QUrl& name) override {
        const QUrl url = document()->baseUrl().resolved(name);
        if (!url.isLocalFile() || Folder.isEmpty()) return {};
        const QString path = QFileInfo(url.toLocalFile()).canonicalFilePath();
        const QString folder = QFileInfo(Folder).canonicalFilePath();
        if (path.isEmpty() || folder.isEmpty() || !path.startsWith(folder + u'/')) return {};
        if (!QFileInfo(path).isFile() || QFileInfo(path).size() > MaxHelpFileSize) return {};
        return QTextBrowser::loadResource(type, QUrl::fromLocalFile(path));
    }
};

QString Escaped(const QString& text) {
    return text.toHtmlEscaped();
}

QString PlainText(const QString& html) {
    QString text = html;
    text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    QTextDocument doc;
    doc.setHtml(text); // resolves entities
    return doc.toPlainText().simplified();
}

} // namespace

HelpViewer::HelpViewer(const QString& helpFile) : File(helpFile) {
    setAttribute(Qt::WA_DeleteOnClose);
    // An open rules window must not keep the program alive once the game window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Morvek"));
    browser = new RulesBrowser(this);
    browser->setOpenLinks(false);
    connect(browser, &QTextBrowser::anchorClicked, this, &HelpViewer::LinkClicked);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    resize(640, 600);
}

HelpViewer::~HelpViewer() = default;

void HelpViewer::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

HelpViewer* HelpViewer::Open(const QString& helpFile, int topic) {
    Prune();
    HelpViewer* viewer = nullptr;
    for (const auto& v : Registry())
        if (SameFileKey(v->File) == SameFileKey(helpFile)) viewer = v;
    if (!viewer) {
        viewer = new HelpViewer(helpFile);
        Registry().emplace_back(viewer);
    }
    viewer->ShowTopic(topic);
    if (viewer->isMinimized()) viewer->showNormal();
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return viewer;
}

void HelpViewer::CloseAll() {
    Prune();
    // Deleted at once: the game calls this on its way out, when no event loop may follow.
    const auto viewers = Registry();
    Registry().clear();
    for (const auto& v : viewers)
        if (v) delete v.data();
}

std::vector<HelpViewer*> HelpViewer::Viewers() {
    Prune();
    std::vector<HelpViewer*> result;
    for (const auto& v : Registry())
        result.push_back(v);
    return result;
}

QString HelpViewer::ExtractSection(const QString& html, const QString& id) {
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

bool HelpViewer::ShowTopic(int topic) {
    CurrentTopic = topic;
    QFile file(File);
    if (!QFileInfo(File).isFile()) {
        ShowReport(
            QStringLiteral("Die Hilfedatei <b>%1</b> wurde nicht gefunden.").arg(Escaped(File)),
            QStringLiteral("The help file <b>%1</b> was not found.").arg(Escaped(File)));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        ShowReport(QStringLiteral("Die Hilfedatei <b>%1</b> kann nicht gelesen werden.")
                       .arg(Escaped(File)),
                   QStringLiteral("The help file <b>%1</b> cannot be read.").arg(Escaped(File)));
        return false;
    }
    // A rules file is a few dozen kilobytes; anything far beyond is no rules file, and reading it
    // would cost seconds and gigabytes.
    if (file.size() > MaxHelpFileSize) {
        ShowReport(QStringLiteral("Die Hilfedatei <b>%1</b> ist zu groß.").arg(Escaped(File)),
                   QStringLiteral("The help file <b>%1</b> is too large.").arg(Escaped(File)));
        return false;
    }
    const QByteArray bytes = file.read(MaxHelpFileSize);
    const auto encoding = QStringConverter::encodingForHtml(bytes);
    QStringDecoder decode(encoding.value_or(QStringConverter::Utf8));
    const QString html = decode(bytes);

    const QString section = ExtractSection(html, QString::number(topic));
    if (section.isEmpty()) {
        // Both at once: a "%2" in the file's path must stay as it is.
        const QString number = QString::number(topic);
        ShowReport(
            QStringLiteral("Die Hilfedatei <b>%1</b> enthält das Thema %2 nicht.")
                .arg(Escaped(File), number),
            QStringLiteral("The help file <b>%1</b> has no topic %2.").arg(Escaped(File), number));
        return false;
    }

    const bool anchorOnly = PlainText(section).isEmpty();
    // The viewer's time grows with the square of the nesting depth: 200,000 open elements would
    // hold the game for good.
    if (htmlNestingDepth(anchorOnly ? html : section) > MaxHelpNesting) {
        ShowReport(
            QStringLiteral("Die Hilfedatei <b>%1</b> ist zu tief verschachtelt.")
                .arg(Escaped(File)),
            QStringLiteral("The help file <b>%1</b> is nested too deeply.").arg(Escaped(File)));
        return false;
    }

    // The section keeps the file's head, so its style sheet and title still apply.
    const QString head = ElementContent(html, QStringLiteral("head"), true);
    const QFileInfo info(File);
    browser->document()->setBaseUrl(QUrl::fromLocalFile(info.absolutePath() + QLatin1Char('/')));
    static_cast<RulesBrowser*>(browser)->Folder = info.absolutePath();

    if (anchorOnly) {
        // The id marks a point rather than a block: show the whole file from there.
        browser->setHtml(html);
        browser->scrollToAnchor(QString::number(topic));
    } else {
        browser->setHtml(
            QStringLiteral("<html><head>%1</head><body>%2</body></html>").arg(head, section));
        browser->verticalScrollBar()->setValue(0);
    }
    Failed = false;

    const QString title =
        PlainText(ElementContent(anchorOnly ? html : section, QStringLiteral("h1"), false));
    setWindowTitle(title.isEmpty() ? QStringLiteral("Morvek") : title);
    return true;
}

void HelpViewer::ShowReport(const QString& german, const QString& english) {
    Failed = true;
    setWindowTitle(QStringLiteral("Morvek \u2013 Hilfe / Help"));
    browser->setHtml(QStringLiteral("<h2>Die Spielregeln können nicht angezeigt werden.</h2>"
                                    "<p>%1</p><hr/>"
                                    "<h2>The rules cannot be shown.</h2><p>%2</p>")
                         .arg(german, english));
}

void HelpViewer::LinkClicked(const QUrl& url) {
    // A link into the rules file itself, by its name or by a bare "#..."; "#2" leads to another
    // topic, any other name to a place in the one shown.
    const QUrl target = QUrl::fromLocalFile(QFileInfo(File).absoluteFilePath()).resolved(url);
    const bool intoThisFile =
        target.isLocalFile() &&
        QFileInfo(target.toLocalFile()).absoluteFilePath() == QFileInfo(File).absoluteFilePath();
    if (intoThisFile) {
        if (!url.hasFragment()) return;
        bool number = false;
        const int topic = url.fragment().toInt(&number);
        if (number)
            ShowTopic(topic);
        else
            browser->scrollToAnchor(url.fragment());
        return;
    }
    // Web pages and mail go to the desktop; every other scheme (script, data, file shares,
    // programs' own) is ignored.
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
        scheme == QLatin1String("mailto"))
        QDesktopServices::openUrl(url);
}
