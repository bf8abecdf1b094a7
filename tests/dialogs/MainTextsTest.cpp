// The tool bar texts in both languages.
#include "MainTexts.h"

#include <gtest/gtest.h>

TEST(MainTexts, BothLanguages) {
    const TMainTexts de = MainTexts(true);
    const TMainTexts en = MainTexts(false);
    const struct {
        QString De, En, WantDe, WantEn;
    } rows[] = {
        {de.StartHint, en.StartHint, "Ich möchte neu beginnen.", "I want to start again."},
        {de.HighScoreHint, en.HighScoreHint, "Wer sind die Besten?", "Who are the best?"},
        {de.PauseHint, en.PauseHint, "Ich brauch eine kurze Pause.", "I need a break."},
        {de.LevelHint, en.LevelHint, "Ich möchte eine ander Spielfeldgröße.",
         "I want another game size."},
        {de.RulesHint, en.RulesHint, "Worum geht's da eigentlich?", "What's to do here?"},
        {de.OptionHint, en.OptionHint, "Ich möchte die Einstellungen ändern.",
         " I want to change the options."},
        {de.ExitHint, en.ExitHint, "Ich hab genug!", "I have enough!"},
        {de.InfoHint, en.InfoHint, "Wer hat diese Spiele nur verbrochen?",
         "Who did these TALLOW GAME?"},
        {de.ScoreCaption, en.ScoreCaption, "Zeit:", "Time:"},
        {de.SizeCaption, en.SizeCaption, "Größe:", "Size:"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.De, row.WantDe);
        EXPECT_EQ(row.En, row.WantEn);
    }
}
