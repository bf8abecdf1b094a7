// Qt lets no exception cross its event loop, so they all end here, in notify().
#include "Application.h"

#include "Settings.h"

#include <QMessageBox>

#include <exception>

std::function<void(const QString&)> TApplication::ErrorHook;

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const ESettingsError& e) {
        ReportError(e.Text());
    } catch (const std::exception& e) {
        ReportError(QString::fromUtf8(e.what()));
    }
    return false;
}

void TApplication::ReportError(const QString& text) {
    if (ErrorHook) {
        ErrorHook(text);
        return;
    }
    QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), text);
}
