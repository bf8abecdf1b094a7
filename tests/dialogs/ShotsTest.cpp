// SPDX-License-Identifier: MIT
// Pictures of every dialog in both languages, for looking at: set MORVEK_DIALOG_SHOTS to a folder.
#include "DialogTestKit.h"
#include "dialogs/BestListDialog.h"
#include "dialogs/LanguageDialog.h"
#include "dialogs/MessageDialog.h"
#include "dialogs/OptionsDialog.h"
#include "logic/GameOptions.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>

namespace {

TEST(DialogShots, BothLanguages) {
    const QString dir = qEnvironmentVariable("MORVEK_DIALOG_SHOTS");
    if (dir.isEmpty()) GTEST_SKIP() << "MORVEK_DIALOG_SHOTS not set";
    QDir().mkpath(dir);
    const int32_t saved = testOptions().tongue;
    const bool savedFound = testOptions().musicFound, savedOn = testOptions().musicOn;
    QFile::remove(SettingsStore::defaultFileName());
    FakeMainWindow main;
    SettingsStore ini;
    testOptions().backgroundMode = 4;
    for (int32_t language : {0, 1}) {
        testOptions().tongue = language;
        const QString suffix = language == 1 ? "_de.png" : "_en.png";
        auto grab = [&](QDialog& dlg, const QString& name, const std::function<void()>& show) {
            runModal(dlg, show, [&] {
                dlg.grab().save(dir + "/" + name + suffix);
                dlg.done(0);
            });
        };
        MessageDialog yesNo(&main, testOptions(), resources());
        grab(yesNo, "yesno4", [&] { yesNo.showMsg(4); });
        grab(yesNo, "yesno12", [&] { yesNo.showMsg(12); });
        grab(yesNo, "yesno14", [&] { yesNo.showMsg(14); });
        BestListDialog best(&main, ini, testOptions(), resources());
        best.setIniString("hs1");
        grab(best, "bestlist", [&] { best.showModal(321, false); });
        OptionsDialog options(&main, testOptions(), resources());
        options.setMusicNameSource([] { return QStringLiteral("ode.mid"); });
        testOptions().musicFound = true;
        testOptions().musicOn = true;
        grab(options, "options", [&] { options.showModal(); });
        testOptions().musicFound = false;
        grab(options, "options_nomusic", [&] { options.showModal(); });
        LanguageDialog question(testOptions(), resources());
        grab(question, "tongue", [&] { question.showModal(); });
    }
    testOptions().tongue = saved;
    testOptions().musicFound = savedFound;
    testOptions().musicOn = savedOn;
    QFile::remove(SettingsStore::defaultFileName());
}

} // namespace
