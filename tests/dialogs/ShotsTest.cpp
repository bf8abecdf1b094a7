// Pictures of every dialog in both languages, for looking at: set MORVEK_DIALOG_SHOTS to a folder.
#include "BestListDialog.h"
#include "DialogTestKit.h"
#include "GameGlobals.h"
#include "LanguageDialog.h"
#include "MessageDialog.h"
#include "OptionsDialog.h"
#include "SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>

namespace {

TEST(DialogShots, BothLanguages) {
    const QString dir = qEnvironmentVariable("MORVEK_DIALOG_SHOTS");
    if (dir.isEmpty()) GTEST_SKIP() << "MORVEK_DIALOG_SHOTS not set";
    QDir().mkpath(dir);
    const int32_t saved = tongue;
    const bool savedFound = musicFound, savedOn = musicOn;
    QFile::remove(SettingsStore::defaultFileName());
    FakeMainWindow main;
    SettingsStore ini;
    int32_t backMode = 4;
    for (int32_t language : {0, 1}) {
        tongue = language;
        const QString suffix = language == 1 ? "_de.png" : "_en.png";
        auto grab = [&](QDialog& dlg, const QString& name, const std::function<void()>& show) {
            runModal(dlg, show, [&] {
                dlg.grab().save(dir + "/" + name + suffix);
                dlg.done(0);
            });
        };
        MessageDialog yesNo(&main, resources());
        grab(yesNo, "yesno4", [&] { yesNo.showMsg(4); });
        grab(yesNo, "yesno12", [&] { yesNo.showMsg(12); });
        grab(yesNo, "yesno14", [&] { yesNo.showMsg(14); });
        BestListDialog best(&main, ini, resources());
        best.setDirection(1);
        best.setIniString("hs1");
        grab(best, "highscore", [&] { best.showModal(321, false); });
        OptionsDialog options(&main, backMode, resources());
        options.musicName = [] { return QStringLiteral("ode.mid"); };
        musicFound = true;
        musicOn = true;
        grab(options, "options", [&] { options.showModal(); });
        musicFound = false;
        grab(options, "options_nomusic", [&] { options.showModal(); });
        LanguageDialog question(resources());
        grab(question, "tongue", [&] { question.showModal(); });
    }
    tongue = saved;
    musicFound = savedFound;
    musicOn = savedOn;
    QFile::remove(SettingsStore::defaultFileName());
}

} // namespace
