// SPDX-License-Identifier: MIT
// Help requests: addresses, the help hosts, error reports, the debug log and the help hook.
#pragma once

#include "platform/help/AppHelp.h"
#include "platform/help/DebugLog.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

// Facts about the help installation, gathered once at program start. Most of them serve only
// the debug log's header.
struct HelpFacts {
    QString hhPath; // where the help control lives (findHelpControlPath)
    uint16_t hhVersion[4] = {0, 0, 0, 0};
    QString hhVerStr;         // the four numbers joined by dots; empty when unknown
    QString hhFriendlyVerStr; // a readable name for that version
    bool hhInstalled = false; // true exactly when hhVerStr is not empty
    QString exePath;          // the program file
    QString moduleName;       // the program file's name
    QString moduleDir;        // its folder, ending with a separator
    QString runDir;           // the working folder at start
    bool ieInstalled = false; // the HTML renderer the viewer uses
    QString ieVerStr;
    QString ieFriendlyVerStr;
};

extern HelpFacts helpFacts;
// The debug log; null before initHelpSystem and after doneHelpSystem.
extern std::unique_ptr<DebugLog> helpDebugLog;

// Program start, before any window: loads the help control, gathers the facts, decides the debug
// switch from the program folder and the arguments (without the program name), and creates the
// log. programPath defaults to the running program's file.
void initHelpSystem(const QStringList& args, const QString& programPath = {});
// Program end: frees the log, clears the facts and releases the help control.
void doneHelpSystem();

// The header lines the log starts with in debug mode.
QStringList helpLogHeader(const QString& logFile, const QStringList& args);

template <typename... A> void helpLog(const char* format, const A&... args) {
    if (helpDebugLog) helpDebugLog->logLine(format, args...);
}

// Help hosts.
enum : int {
    HH_HOST_CONTROL = 0, // the help control (the built-in viewer here)
    HH_HOST_KEYHH = 1,   // the program KeyHH.EXE of the Windows folder
    HH_HOST_HH = 2,      // the program HH.EXE of the Windows folder
};

// Help error codes.
enum : int {
    HH_ERR_NONE = 0,
    HH_ERR_NOT_INSTALLED = 1,
    HH_ERR_KEYHH_MISSING = 2,
    HH_ERR_HH_MISSING = 3,
};

// The message of a non-zero help error code.
QString hhErrorText(int code);

// The help address of a file, a topic inside it and a window definition, for a host.
QString hhFormatAddress(const QString& helpFile, const QString& topic,
                        const QString& windowDefinition, int hostType);

// Opens help at a context number; returns a help error code.
int hhHelpContext(const QString& helpFile, int context, const QString& windowDefinition,
                  int hostType);
int showContext(const QString& address, int context, int hostType);
// Shows the message of a non-zero code in the help message box.
void hhShowError(int code);

// "1 (HELP_CONTEXT)": the command number and its name, as the log shows it.
QString helpCommandText(int command);
QString helpCommandName(int command);

// While it exists, the application's help requests reach helpHook, which opens the help file.
class HelpSystem {
  public:
    HelpSystem(const QString& helpFile, int hostType, const QString& windowDefinition);
    ~HelpSystem();
    HelpSystem(const HelpSystem&) = delete;
    HelpSystem& operator=(const HelpSystem&) = delete;

    bool helpHook(int command, intptr_t data, bool& callHelp);

    QString helpFile;
    QString windowDefinition;
    int hostType;
    HelpHandler prevHelpHandler;
    bool chainHelp = false; // when on, the previous handler answers first
    int popupX = 0;
    int popupY = 0;
    std::function<void(int context)> onHelpContext;
    std::function<void(int context, int x, int y)> onHelpPopup;
};
