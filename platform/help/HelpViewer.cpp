// The built-in rules viewer.
#include "HelpViewer.h"

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

namespace {

std::vector<QPointer<THelpViewer>>& Registry() {
    static std::vector<QPointer<THelpViewer>> viewers;
    return viewers;
}

void Prune() {
    auto& viewers = Registry();
    viewers.erase(std::remove_if(viewers.begin(), viewers.end(),
                                 [](const QPointer<THelpViewer>& v) { return v.isNull(); }),
                  viewers.end());
}

QString SameFileKey(const QString& file) {
    return QFileInfo(file).absoluteFilePath();
}

// Elements that never have a closing tag.
bool IsVoidElement(const QString& name) {
    static const QStringList names = {"area",  "base", "br",   "col",   "embed",  "hr",    "img",
                                      "input", "link", "meta", "param", "source", "track", "wbr"};
    return names.contains(name.toLower());
}

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

THelpViewer::THelpViewer(const QString& helpFile) : File(helpFile) {
    setAttribute(Qt::WA_DeleteOnClose);
    // An open rules window must not keep the program alive once the game window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Morvek"));
    browser = new QTextBrowser(this);
    browser->setOpenLinks(false);
    connect(browser, &QTextBrowser::anchorClicked, this, &THelpViewer::LinkClicked);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    resize(640, 600);
}

THelpViewer::~THelpViewer() = default;

void THelpViewer::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

THelpViewer* THelpViewer::Open(const QString& helpFile, int topic) {
    Prune();
    THelpViewer* viewer = nullptr;
    for (const auto& v : Registry())
        if (SameFileKey(v->File) == SameFileKey(helpFile)) viewer = v;
    if (!viewer) {
        viewer = new THelpViewer(helpFile);
        Registry().emplace_back(viewer);
    }
    viewer->ShowTopic(topic);
    if (viewer->isMinimized()) viewer->showNormal();
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return viewer;
}

void THelpViewer::CloseAll() {
    Prune();
    // Deleted at once: the game calls this on its way out, when no event loop may follow.
    const auto viewers = Registry();
    Registry().clear();
    for (const auto& v : viewers)
        if (v) delete v.data();
}

std::vector<THelpViewer*> THelpViewer::Viewers() {
    Prune();
    std::vector<THelpViewer*> result;
    for (const auto& v : Registry())
        result.push_back(v);
    return result;
}

QString THelpViewer::ExtractSection(const QString& html, const QString& id) {
    const QString quoted = QRegularExpression::escape(id);
    const QRegularExpression open(
        QStringLiteral(
            R"(<([A-Za-z][A-Za-z0-9]*)\b[^>]*?\sid\s*=\s*(?:"%1"|'%1'|%1(?=[\s/>]))[^>]*>)")
            .arg(quoted),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch start = open.match(html);
    if (!start.hasMatch()) return {};
    const QString name = start.captured(1);
    const qsizetype from = start.capturedStart();
    if (IsVoidElement(name) || start.captured(0).endsWith(QStringLiteral("/>")))
        return start.captured(0);

    // Walk to the closing tag that matches, counting nested elements of the same name.
    const QRegularExpression tag(QStringLiteral(R"(<(/?)%1\b[^>]*>)").arg(name),
                                 QRegularExpression::CaseInsensitiveOption);
    int depth = 1;
    auto it = tag.globalMatch(html, start.capturedEnd());
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(1).isEmpty()) {
            if (!m.captured(0).endsWith(QStringLiteral("/>"))) ++depth;
        } else if (--depth == 0) {
            return html.mid(from, m.capturedEnd() - from);
        }
    }
    // An element left open runs to the end of the text.
    return html.mid(from);
}

bool THelpViewer::ShowTopic(int topic) {
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
    const QByteArray bytes = file.readAll();
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

    // The section keeps the file's head, so its style sheet and title still apply.
    static const QRegularExpression headPattern(QStringLiteral("<head\\b[^>]*>(.*)</head\\s*>"),
                                                QRegularExpression::CaseInsensitiveOption |
                                                    QRegularExpression::DotMatchesEverythingOption);
    const QString head = headPattern.match(html).captured(1);
    const QFileInfo info(File);
    browser->document()->setBaseUrl(QUrl::fromLocalFile(info.absolutePath() + QLatin1Char('/')));
    browser->setSearchPaths({info.absolutePath()});

    const bool anchorOnly = PlainText(section).isEmpty();
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

    static const QRegularExpression heading(QStringLiteral("<h1\\b[^>]*>(.*?)</h1\\s*>"),
                                            QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::DotMatchesEverythingOption);
    const QString title = PlainText(heading.match(anchorOnly ? html : section).captured(1));
    setWindowTitle(title.isEmpty() ? QStringLiteral("Morvek") : title);
    return true;
}

void THelpViewer::ShowReport(const QString& german, const QString& english) {
    Failed = true;
    setWindowTitle(QStringLiteral("Morvek \u2013 Hilfe / Help"));
    browser->setHtml(QStringLiteral("<h2>Die Spielregeln können nicht angezeigt werden.</h2>"
                                    "<p>%1</p><hr/>"
                                    "<h2>The rules cannot be shown.</h2><p>%2</p>")
                         .arg(german, english));
}

void THelpViewer::LinkClicked(const QUrl& url) {
    const bool local = url.scheme().isEmpty() && url.path().isEmpty();
    if (local && url.hasFragment()) {
        // "#2" leads to another topic of the same file, any other name to a place in this one.
        bool number = false;
        const int topic = url.fragment().toInt(&number);
        if (number)
            ShowTopic(topic);
        else
            browser->scrollToAnchor(url.fragment());
        return;
    }
    if (!url.scheme().isEmpty() && url.scheme() != QLatin1String("file"))
        QDesktopServices::openUrl(url);
}
