// Start-up costs: the phrase library on a settings file that fills all 512
// keys, and the whole start-up to a shown window with the rules window off.
#include "clock.h"
#include "gbk.h"
#include "ini_file.h"
#include "memory_form.h"
#include "phrase_library.h"
#include "record_fields.h"
#include "record_form.h"
#include "memory_prompter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QByteArray fullSettings()
{
    QString text = QStringLiteral("[pop]\r\ntanchu=0\r\n[biludidian]\r\ndidian1=澄梧市\r\ndidian2=吉林省澄梧市\r\n");
    auto section = [&text](const QString &name, const QString &stem, int keys, const QString &phrase) {
        text += u'[' + name + QStringLiteral("]\r\n");
        for (int k = 1; k <= keys; ++k)
            text += stem + QString::number(k) + u'=' + phrase + QString::number(k) + QStringLiteral("\r\n");
    };
    section(QStringLiteral("Set1"), QStringLiteral("didian"), 25, QStringLiteral("澄梧市幸福村第"));
    section(QStringLiteral("Set2"), QStringLiteral("huji"), 25, QStringLiteral("吉林省澄梧市第"));
    for (int n = 1; n <= 3; ++n)
        section(QStringLiteral("name%1").arg(n), QStringLiteral("name"), 10, QStringLiteral("监察员"));
    for (int pair = 1; pair <= tamsel::PairCount; ++pair) {
        section(QStringLiteral("wenti%1").arg(pair), QStringLiteral("wenti"), 10,
                QStringLiteral("问：你在单位工作期间每月的工资是多少？怎样发放？第"));
        section(QStringLiteral("daan%1").arg(pair), QStringLiteral("daan"), 8,
                QStringLiteral("答：每月工资三千元，老板每月十五日以现金发放，第"));
    }
    return tamsel::gbk::encode(text);
}

// Parsing the file and filling every list, on the headless form.
void BM_LoadPhraseLibrary(benchmark::State &state)
{
    const QByteArray bytes = fullSettings();
    for (auto _ : state) {
        tamsel::MemoryForm form;
        tamsel::applyDesignState(form);
        const tamsel::IniFile settings = tamsel::IniFile::fromBytes(bytes);
        tamsel::loadPhraseLibrary(form, settings);
        benchmark::DoNotOptimize(form.items(QStringLiteral("组合框38")));
    }
}
BENCHMARK(BM_LoadPhraseLibrary)->Unit(benchmark::kMillisecond);

// Loading into the real window's combo boxes.
void BM_LoadPhraseLibraryIntoWindow(benchmark::State &state)
{
    QTemporaryDir dir;
    tamsel::MemoryPrompter prompter;
    tamsel::SystemClock clock;
    tamsel::RecordForm window(prompter, clock, tamsel::RunDirectory(dir.path()));
    const tamsel::IniFile settings = tamsel::IniFile::fromBytes(fullSettings());
    for (auto _ : state) {
        state.PauseTiming();
        tamsel::applyDesignState(window.form());
        state.ResumeTiming();
        tamsel::loadPhraseLibrary(window.form(), settings);
    }
}
BENCHMARK(BM_LoadPhraseLibraryIntoWindow)->Unit(benchmark::kMillisecond);

// From creating the window to its being shown with every list filled.
void BM_StartUpToShownWindow(benchmark::State &state)
{
    QTemporaryDir dir;
    QFile file(QDir(dir.path()).filePath(QStringLiteral("set.ini")));
    file.open(QIODevice::WriteOnly);
    file.write(fullSettings());
    file.close();
    tamsel::MemoryPrompter prompter;
    tamsel::SystemClock clock;
    for (auto _ : state) {
        tamsel::RecordForm window(prompter, clock, tamsel::RunDirectory(dir.path()));
        window.startUp();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.isVisible());
    }
}
BENCHMARK(BM_StartUpToShownWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
