// The tool bar texts in both languages; each hint names its key.
#include "MainTexts.h"

#include <gtest/gtest.h>

TEST(MainTexts, BothLanguages) {
    const TMainTexts de = MainTexts(true);
    const TMainTexts en = MainTexts(false);
    const struct {
        QString De, En, WantDe, WantEn;
    } rows[] = {
        {de.StartHint, en.StartHint, "Ich möchte neu beginnen. (F2)",
         "I want to start again. (F2)"},
        {de.HighScoreHint, en.HighScoreHint, "Wer sind die Besten? (F3)", "Who are the best? (F3)"},
        {de.PauseHint, en.PauseHint, "Ich brauch eine kurze Pause. (P)", "I need a break. (P)"},
        {de.LevelHint, en.LevelHint, "Ich möchte eine ander Spielfeldgröße. (F4, Umschalt+F4)",
         "I want another game size. (F4, Shift+F4)"},
        {de.RulesHint, en.RulesHint, "Worum geht's da eigentlich? (F1)", "What's to do here? (F1)"},
        {de.OptionHint, en.OptionHint, "Ich möchte die Einstellungen ändern. (F5)",
         " I want to change the options. (F5)"},
        {de.ExitHint, en.ExitHint, "Ich hab genug! (Esc)", "I have enough! (Esc)"},
        {de.InfoHint, en.InfoHint, "Wer hat diese Spiele nur verbrochen? (Strg+I)",
         "Who did these TALLOW GAME? (Ctrl+I)"},
        {de.ScoreCaption, en.ScoreCaption, "Zeit:", "Time:"},
        {de.SizeCaption, en.SizeCaption, "Größe:", "Size:"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.De, row.WantDe);
        EXPECT_EQ(row.En, row.WantEn);
    }
}
