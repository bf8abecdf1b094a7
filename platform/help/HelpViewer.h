// SPDX-License-Identifier: MIT
// The built-in rules viewer: a text browser in its own window showing one section of an HTML file.
#pragma once

#include <QString>
#include <QWidget>

#include <vector>

class QTextBrowser;
class QUrl;

// Topic N of a help file is the element whose HTML id is N. The viewer shows that element alone,
// so a reader of one language sees only the rules in that language. Problems with the file or the
// topic are reported inside the window itself; the game is never interrupted by them.
class HelpViewer : public QWidget {
    Q_OBJECT
  public:
    // Shows the topic in the viewer of this help file, creating the window on first use, and
    // brings the window to the front. The window is not modal.
    static HelpViewer* open(const QString& helpFile, int topic);
    // Closes and frees every viewer window.
    static void closeAll();
    // The viewer windows open now.
    static std::vector<HelpViewer*> viewers();

    // Loads the topic from the file; false when the file or the topic is missing (the window then
    // shows what is wrong).
    bool showTopic(int topic);

    const QString& helpFile() const { return m_file; }
    int topic() const { return m_currentTopic; }
    // True when the window shows a report instead of a topic.
    bool showsError() const { return m_failed; }
    QTextBrowser* browser() const { return m_browser; }

    // The part of an HTML text that forms the element with the given id, or an empty text when
    // no such element exists. Exposed for tests.
    static QString extractSection(const QString& html, const QString& id);

  protected:
    // Escape closes the window.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    explicit HelpViewer(const QString& helpFile);
    ~HelpViewer() override;
    void showReport(const QString& german, const QString& english);
    void linkClicked(const QUrl& url);

    QTextBrowser* m_browser;
    QString m_file;
    int m_currentTopic = 0;
    bool m_failed = false;
};
