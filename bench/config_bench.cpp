// Benchmarks of the configuration file: one full access (read, parse, all keys typed, the 32
// shortcut texts converted both ways, write-back) and its pieces.
#include "config/config_file.h"
#include "config/config_keys.h"
#include "config/ini_document.h"
#include "config/shortcut_text.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_keyboard.h"

#include <benchmark/benchmark.h>

#include <string>

namespace cellaro {
namespace {

// A CRO.cfg with every key of all three sections set, shortcuts included.
std::string fullConfigurationText(const KeyNameTable& names) {
    sim::SimFileSystem files;
    ConfigFile config(files);
    config.writeInteger(config::kWindowTransparency, 160);
    config.writeInteger(config::kFullScreenGridTransparency, 174);
    config.writeInteger(config::kColourSchemeIndex, 3);
    for (const config::IntegerKey& colour : config::kColourKeys) {
        config.writeInteger(colour, colour.defaultValue);
    }
    config.writeInteger(config::kGridColumns, 8);
    config.writeInteger(config::kGridRows, 5);
    config.writeBool(config::kAutoHide, true);
    config.writeBool(config::kSkipKillConfirmation, false);
    config.writeBool(config::kMaxRowsColumns, true);
    int key = 0x41;
    for (const config::ShortcutKey& shortcut : config::kShortcutKeys) {
        const auto value = static_cast<ShortcutValue>(kShortcutCtrl | kShortcutAlt | key++);
        config.writeText(shortcut.setting, shortcutToText(value, names));
    }
    config.writeInteger(config::kLoadAtStartup, 1);
    config.writeInteger(config::navigationMenuLeft(1920), 1620);
    config.writeInteger(config::kNavigationMenuTop, 45);
    return config.document().serialize();
}

void BM_ParseAndSerialize(benchmark::State& state) {
    const std::string text = fullConfigurationText(KeyNameTable());
    for (auto _ : state) {
        const IniDocument document = IniDocument::parse(text);
        benchmark::DoNotOptimize(document.serialize());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseAndSerialize);

void BM_BuildKeyNameTable(benchmark::State& state) {
    const sim::SimKeyNames platform;
    for (auto _ : state) {
        benchmark::DoNotOptimize(KeyNameTable(platform));
    }
}
BENCHMARK(BM_BuildKeyNameTable);

// What the settings window's creation and its OK do together: open the file, read every key and
// convert the 32 shortcut texts to values, then write every key back with its shortcut text and save.
void BM_FullReadAndWriteBack(benchmark::State& state) {
    const sim::SimKeyNames platform;
    const KeyNameTable names(platform);
    sim::SimFileSystem files;
    files.setFile(configPath(files), fullConfigurationText(names));
    for (auto _ : state) {
        ConfigFile config(files);
        int sum = config.readInteger(config::kWindowTransparency) +
                  config.readInteger(config::kFullScreenGridTransparency) +
                  config.readInteger(config::kColourSchemeIndex) + config.readInteger(config::kGridColumns) +
                  config.readInteger(config::kGridRows) + config.readInteger(config::kLoadAtStartup) +
                  config.readInteger(config::navigationMenuLeft(1920)) +
                  config.readInteger(config::kNavigationMenuTop);
        for (const config::IntegerKey& colour : config::kColourKeys) {
            sum += config.readInteger(colour);
        }
        sum += config.readBool(config::kAutoHide) + config.readBool(config::kSkipKillConfirmation) +
               config.readBool(config::kMaxRowsColumns);
        for (const config::ShortcutKey& shortcut : config::kShortcutKeys) {
            const ShortcutValue value = shortcutFromText(config.readText(shortcut.setting), names);
            config.writeText(shortcut.setting, shortcutToText(value, names));
        }
        config.writeBool(config::kAutoHide, true);
        config.writeInteger(config::kWindowTransparency, 160);
        config.writeInteger(config::kFullScreenGridTransparency, 174);
        config.writeInteger(config::kColourSchemeIndex, 3);
        for (const config::IntegerKey& colour : config::kColourKeys) {
            config.writeInteger(colour, colour.defaultValue);
        }
        config.writeInteger(config::kGridColumns, 8);
        config.writeInteger(config::kGridRows, 5);
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(config.save());
    }
}
BENCHMARK(BM_FullReadAndWriteBack);

void BM_ShortcutTextsBothWays(benchmark::State& state) {
    const sim::SimKeyNames platform;
    const KeyNameTable names(platform);
    for (auto _ : state) {
        for (int key = 0x41; key < 0x41 + 32; ++key) {
            const auto value = static_cast<ShortcutValue>(kShortcutShift | kShortcutAlt | key);
            benchmark::DoNotOptimize(shortcutFromText(shortcutToText(value, names), names));
        }
    }
}
BENCHMARK(BM_ShortcutTextsBothWays);

} // namespace
} // namespace cellaro
