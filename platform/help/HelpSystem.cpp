// SPDX-License-Identifier: MIT
// Help requests, error reports, the debug log's set-up and the help hook.
#include "platform/help/HelpSystem.h"

#include "logic/Version.h"
#include "platform/Installation.h"

#include "platform/help/HelpControl.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QProcess>
#include <QSysInfo>
#include <QVersionNumber>
#include <QWidget>

HelpFacts helpFacts;
std::unique_ptr<DebugLog> helpDebugLog;

namespace {

const char* const ProgramVersion = MorvekVersion;

void gatherHelpFacts(const QString& programPath) {
    helpFacts = HelpFacts();
    const QFileInfo program(programPath);
    helpFacts.exePath = program.absoluteFilePath();
    helpFacts.moduleName = program.fileName();
    helpFacts.moduleDir = program.absolutePath() + QLatin1Char('/');
    helpFacts.runDir = QDir::currentPath() + QLatin1Char('/');

    // The help control is the viewer built into this program; its version is the version of the
    // Qt text browser it is made of.
    helpFacts.hhPath = findHelpControlPath();
    if (helpFacts.hhPath.isEmpty()) helpFacts.hhPath = helpFacts.exePath;
    const QVersionNumber qt = QLibraryInfo::version();
    helpFacts.hhVersion[0] = static_cast<uint16_t>(qt.majorVersion());
    helpFacts.hhVersion[1] = static_cast<uint16_t>(qt.minorVersion());
    helpFacts.hhVersion[2] = static_cast<uint16_t>(qt.microVersion());
    helpFacts.hhVersion[3] = 0;
    helpFacts.hhVerStr = QStringLiteral("%1.%2.%3.%4")
                             .arg(helpFacts.hhVersion[0])
                             .arg(helpFacts.hhVersion[1])
                             .arg(helpFacts.hhVersion[2])
                             .arg(helpFacts.hhVersion[3]);
    helpFacts.hhFriendlyVerStr = QStringLiteral("Built-in rules viewer (Qt %1)").arg(qt.toString());
    helpFacts.hhInstalled = !helpFacts.hhVerStr.isEmpty();
    helpFacts.ieInstalled = true;
    helpFacts.ieVerStr = helpFacts.hhVerStr;
    helpFacts.ieFriendlyVerStr = QStringLiteral("Qt rich text engine %1").arg(qt.toString());
}

QString hex(int value) {
    return QStringLiteral("0x%1").arg(value, 4, 16, QLatin1Char('0'));
}

// The folder that holds KeyHH.EXE and HH.EXE on Windows; empty elsewhere.
QString windowsFolder() {
    QString dir = qEnvironmentVariable("SystemRoot");
    if (dir.isEmpty()) dir = qEnvironmentVariable("windir");
    return dir;
}

QString shellErrorText(int code) {
    switch (code) {
    case 2:
        return QStringLiteral("File Not Found");
    case 3:
        return QStringLiteral("Path Not Found");
    case 5:
        return QStringLiteral("Access Denied");
    case 8:
        return QStringLiteral("Insufficient Memory");
    case 19:
        return QStringLiteral("Media Is Write Protected");
    case 21:
        return QStringLiteral("Device Not Ready");
    case 32:
    case 33:
        return QStringLiteral("File In Use");
    case 39:
    case 112:
        return QStringLiteral("Disk Full");
    case 276:
    case 1005:
    case 1392:
    case 1393:
        return QStringLiteral("Corrupt File Or Disk");
    case 1009:
    case 1358:
        return QStringLiteral("Corrupt Registry");
    case 1150:
        return QStringLiteral("Windows Version Incorrect");
    case 1151:
        return QStringLiteral("Not A Windows Or MSDos Program");
    default:
        return QStringLiteral("General Failure");
    }
}

// Starts an external help program of the Windows folder; false when it is not there.
bool startHostProgram(const QString& name, const QString& params) {
    const QString folder = windowsFolder();
    if (folder.isEmpty()) return false;
    const QString program = QDir(folder).filePath(name);
    const QFileInfo info(program);
    if (!info.isFile()) return false;
    if (!QProcess::startDetached(program, QProcess::splitCommand(params))) {
        const int error = !info.exists() ? 2 : !info.isExecutable() ? 5 : 0;
        if (helpDebugLog)
            helpDebugLog->logError("Function ShellExecute(%s)\rReturned: %s",
                                   program + QStringLiteral(", ") + params, shellErrorText(error));
        else
            helpMessageBox(DebugLog::formatted("Function ShellExecute(%s)\rReturned: %s",
                                               program + QStringLiteral(", ") + params,
                                               shellErrorText(error)));
    }
    return true;
}

QString cleanPart(QString part) {
    part.replace(QStringLiteral("%20"), QStringLiteral(" "));
    return part.trimmed();
}

} // namespace

QStringList helpLogHeader(const QString& logFile, const QStringList& args) {
    const QLocale locale = QLocale::system();
    // Windows numbers a locale by its primary language and sub-language; Qt's language and
    // territory numbers take their places, combined the same way.
    const int primary = static_cast<int>(locale.language());
    const int sub = static_cast<int>(locale.territory());
    const int lcid = (sub << 10) | primary;
    const QVersionNumber kernel = QVersionNumber::fromString(QSysInfo::kernelVersion());

    QStringList cmdline{QDir::toNativeSeparators(helpFacts.exePath)};
    for (const QString& arg : args)
        cmdline << (arg.contains(QLatin1Char(' ')) ? QLatin1Char('"') + arg + QLatin1Char('"')
                                                   : arg);

    auto f = [](const char* format, const auto&... values) {
        return DebugLog::formatted(format, values...);
    };
    return {
        f("!Log File:             %s", logFile),
        f("!Date:                 %s", locale.toString(QDate::currentDate(), QLocale::LongFormat)),
        f("!Operating System:      %s %d.%d (Build %d) %s", QSysInfo::prettyProductName(),
          kernel.majorVersion(), kernel.minorVersion(), kernel.microVersion(),
          QSysInfo::kernelType() + QLatin1Char(' ') + QSysInfo::kernelVersion()),
        f("!SysLocale.DefaultLCID: %s (%s)", hex(lcid), QString::number(lcid)),
        f("!SysLocale.PriLangID:   %s (%s)", hex(primary), QString::number(primary)),
        f("!SysLocale.SubLangID:   %s (%s)", hex(sub), QString::number(sub)),
        f("!DecimalSeparator:      %s", locale.decimalPoint()),
        QStringLiteral("-"),
        f("!EXE Path =          %s", helpFacts.exePath),
        f("!EXE Version =       %s", ProgramVersion),
        f("!Cmdline Param(s) =  %s", args.join(QStringLiteral(" | "))),
        f("!Actual CmdLine =  %s", cmdline.join(QLatin1Char(' '))),
        f("!_RunDir =           %s", helpFacts.runDir),
        f("!_ModuleName =       %s", helpFacts.moduleName),
        f("!_ModuleDir =        %s", helpFacts.moduleDir),
        f("!_ModulePath =        %s", helpFacts.exePath),
        f("!Module Version =       %s", ProgramVersion),
        f("!_hhInstalled =      %s", helpFacts.hhInstalled ? "YES" : "NO"),
        f("!_hhVerStr =         %s", helpFacts.hhVerStr),
        f("!_hhFriendlyVerStr = %s", helpFacts.hhFriendlyVerStr),
        f("!_ieInstalled =      %s", helpFacts.ieInstalled ? "YES" : "NO"),
        f("!_ieVerStr =         %s", helpFacts.ieVerStr),
        f("!_ieFriendlyVerStr = %s", helpFacts.ieFriendlyVerStr),
    };
}

void initHelpSystem(const QStringList& args, const QString& programPath) {
    loadHelpControl();
    gatherHelpFacts(programPath.isEmpty() && QCoreApplication::instance()
                        ? QCoreApplication::applicationFilePath()
                        : programPath);
    const bool debug = debugSwitch(helpFacts.moduleDir, args);
    // Installed, the data lie apart from the program.
    const bool installed = gameDataFolder(helpFacts.moduleDir) != helpFacts.moduleDir;
    const QString logFile = debugLogPath(helpFacts.moduleDir, installed, debug);
    helpDebugLog = std::make_unique<DebugLog>(logFile, debug,
                                              debug ? helpLogHeader(logFile, args) : QStringList());
}

void doneHelpSystem() {
    helpDebugLog.reset();
    helpFacts = HelpFacts();
    unloadHelpControl();
}

QString hhErrorText(int code) {
    switch (code) {
    case HH_ERR_NONE:
        return {};
    case HH_ERR_NOT_INSTALLED:
        return QStringLiteral("MS Html Help is not installed on this PC.");
    case HH_ERR_KEYHH_MISSING:
        return QStringLiteral("System file KeyHH.EXE was not found in the Windows folder.");
    case HH_ERR_HH_MISSING:
        return QStringLiteral("System file HH.EXE was not found in the Windows folder.");
    default:
        return QStringLiteral("Unknown error returned by HHHelpContext");
    }
}

QString hhFormatAddress(const QString& helpFile, const QString& topic,
                        const QString& windowDefinition, int hostType) {
    QString address = cleanPart(helpFile);
    QString page = cleanPart(topic);
    if (!page.isEmpty()) {
        page.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (!page.startsWith(QLatin1Char('/'))) page.prepend(QLatin1Char('/'));
        address += QStringLiteral("::") + page;
    }
    const QString window = cleanPart(windowDefinition);
    if (!window.isEmpty()) address += QLatin1Char('>') + window;
    // HH.EXE opens a compiled help file only with the storage prefix.
    if (hostType == HH_HOST_HH) address.prepend(QStringLiteral("mk:@MSITStore:"));
    return address;
}

int hhHelpContext(const QString& helpFile, int context, const QString& windowDefinition,
                  int hostType) {
    helpLog("HHHelpContext(\"%s\", %d, \"%s\", %d)", helpFile, context, windowDefinition, hostType);
    const QString address = hhFormatAddress(helpFile, QString(), windowDefinition, hostType);
    return showContext(address, context, hostType);
}

int showContext(const QString& address, int context, int hostType) {
    helpLog("ShowContext(\"%s\", %d)", address, context);
    int code = HH_ERR_NONE;
    if (!helpFacts.hhInstalled) {
        code = HH_ERR_NOT_INSTALLED;
    } else if (hostType == HH_HOST_CONTROL) {
        if (!htmlHelp) {
            // Nothing to call: the control was released or never loaded.
            code = HH_ERR_NOT_INSTALLED;
        } else if (QWidget* window = htmlHelp(nullptr, address, HH_HELP_CONTEXT, context)) {
            window->raise();
            window->activateWindow();
        }
    } else if (hostType == HH_HOST_KEYHH) {
        const QString params = QStringLiteral("-win -#mapid %1 %2").arg(context).arg(address);
        if (!startHostProgram(QStringLiteral("KeyHH.EXE"), params)) code = HH_ERR_KEYHH_MISSING;
    } else if (hostType == HH_HOST_HH) {
        const QString params = QStringLiteral("-mapid %1 %2").arg(context).arg(address);
        if (!startHostProgram(QStringLiteral("HH.EXE"), params)) code = HH_ERR_HH_MISSING;
    } else {
        code = -1; // no such host
    }
    helpLog("  returned - %d", code);
    return code;
}

void hhShowError(int code) {
    if (code == HH_ERR_NONE) return;
    const QString text = hhErrorText(code);
    helpMessageBox(text);
    helpLog("HHShowError(%d), \"%s\"", code, text);
}

QString helpCommandName(int command) {
    switch (command) {
    case HELP_CONTEXT:
        return QStringLiteral("HELP_CONTEXT");
    case HELP_QUIT:
        return QStringLiteral("HELP_QUIT");
    case HELP_INDEX:
        return QStringLiteral("HELP_INDEX or HELP_CONTENTS");
    case HELP_HELPONHELP:
        return QStringLiteral("HELP_HELPONHELP");
    case HELP_SETINDEX:
        return QStringLiteral("HELP_SETINDEX or HELP_SETCONTENTS");
    case HELP_CONTEXTPOPUP:
        return QStringLiteral("HELP_CONTEXTPOPUP");
    case HELP_FORCEFILE:
        return QStringLiteral("HELP_FORCEFILE");
    case HELP_CONTEXTMENU:
        return QStringLiteral("HELP_CONTEXTMENU");
    case HELP_FINDER:
        return QStringLiteral("HELP_FINDER");
    case HELP_WM_HELP:
        return QStringLiteral("HELP_WM_HELP");
    case HELP_SETPOPUP_POS:
        return QStringLiteral("HELP_SETPOPUP_POS");
    case HELP_KEY:
        return QStringLiteral("HELP_KEY");
    case HELP_COMMAND:
        return QStringLiteral("HELP_COMMAND");
    case HELP_PARTIALKEY:
        return QStringLiteral("HELP_PARTIALKEY");
    case HELP_MULTIKEY:
        return QStringLiteral("HELP_MULTIKEY");
    case HELP_SETWINPOS:
        return QStringLiteral("HELP_SETWINPOS");
    default:
        return QStringLiteral("??");
    }
}

QString helpCommandText(int command) {
    return QStringLiteral("%1 (%2)").arg(command).arg(helpCommandName(command));
}

HelpSystem::HelpSystem(const QString& helpFile, int hostType, const QString& windowDefinition)
    : helpFile(helpFile), windowDefinition(windowDefinition), hostType(hostType) {
    prevHelpHandler = setAppHelpHandler([this](int command, intptr_t data, bool& callHelp) {
        return helpHook(command, data, callHelp);
    });
    // The log lines keep their old wording: install checks and players' reports search for it.
    helpLog("THookHelpSystem.Create(\"%s\",\"%s\", %d)", helpFile, windowDefinition, hostType);
}

HelpSystem::~HelpSystem() {
    if (hostType == HH_HOST_CONTROL) closeAllHelp();
    setAppHelpHandler(std::move(prevHelpHandler));
    helpLog("THookHelpSystem.Destroy");
}

bool HelpSystem::helpHook(int command, intptr_t data, bool& callHelp) {
    helpLog("THookHelpSystem.HelpHook(%s, %d)", helpCommandText(command), static_cast<int>(data));
    bool result = true;
    if (chainHelp && prevHelpHandler) result = prevHelpHandler(command, data, callHelp);
    callHelp = false;
    switch (command) {
    case HELP_CONTEXTPOPUP:
        if (onHelpPopup) {
            onHelpPopup(static_cast<int>(data), popupX, popupY);
            break;
        }
        [[fallthrough]];
    case HELP_CONTEXT:
        if (onHelpContext)
            onHelpContext(static_cast<int>(data));
        else
            hhShowError(
                hhHelpContext(helpFile, static_cast<int>(data), windowDefinition, hostType));
        break;
    case HELP_SETPOPUP_POS:
        // Screen positions left of or above the primary screen are negative.
        popupX = static_cast<int16_t>(data & 0xFFFF);
        popupY = static_cast<int16_t>((data >> 16) & 0xFFFF);
        break;
    default:
        callHelp = true;
        break;
    }
    return result;
}
