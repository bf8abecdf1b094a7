// SPDX-License-Identifier: MIT
// libFuzzer target for the settings reader and the best-list decoder: any bytes as a settings file.
// Build with clang: cmake -DCMAKE_CXX_COMPILER=clang++ -DMORVEK_FUZZ=ON, target fuzz_settings.
#include "dialogs/BestList.h"
#include "platform/IniDocument.h"
#include "platform/TextScrambler.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    IniDocument document(bytes);
    for (const QString& key : document.keys(QStringLiteral("common"))) {
        const std::optional<IniValue> value = document.value(QStringLiteral("common"), key);
        if (!value) std::abort(); // a listed key always has a value
        const BestListEntry entry = ParseHighscoreEntry(UnscrambleText(value->text), 1);
        if (entry.Score < 0) std::abort();
        document.setValue(QStringLiteral("common"), key,
                          ScrambleText(FormatHighscoreEntry(entry)) + value->text);
    }
    // What the store writes always reads back whole and unchanged.
    const QByteArray written = document.toBytes();
    const IniDocument again(written);
    if (again.hasDamage() || again.toBytes() != written) std::abort();
    return 0;
}
