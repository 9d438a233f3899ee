// Writing a three-page record document with our writer, beside LibreOffice
// headless converting the same text to .doc on this machine.
#include "doc_cases.h"
#include "doc_writer.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace tamsel::doc;

namespace {

void BM_WriteThreePageRecord(benchmark::State &state)
{
    const Document document = tamsel::test::threePageRecord();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const QByteArray doc = docBytes(document);
        bytes = std::size_t(doc.size());
        benchmark::DoNotOptimize(doc.data());
    }
    state.counters["doc_bytes"] = double(bytes);
    state.SetLabel("our .doc writer");
}
BENCHMARK(BM_WriteThreePageRecord)->Unit(benchmark::kMicrosecond);

// The same text as a plain file, turned into .doc by LibreOffice headless
// (one start per conversion, as a program without a writer of its own would do).
void BM_LibreOfficeConvertsTheSameText(benchmark::State &state)
{
    const Document document = tamsel::test::threePageRecord();
    QTemporaryDir dir, profile;
    const QString text = dir.filePath(QStringLiteral("record.txt"));
    {
        QFile file(text);
        file.open(QIODevice::WriteOnly);
        file.write(plainText(document).toUtf8());
    }
    const QStringList arguments{QStringLiteral("-env:UserInstallation=file://") + profile.path(),
                                QStringLiteral("--headless"), QStringLiteral("--norestore"),
                                QStringLiteral("--infilter=Text (encoded):UTF8,LF,,,"),
                                QStringLiteral("--convert-to"), QStringLiteral("doc:MS Word 97"),
                                QStringLiteral("--outdir"), dir.path(), text};
    for (auto _ : state) {
        QProcess process;
        process.start(QStringLiteral("soffice"), arguments);
        if (!process.waitForFinished(180000) || !QFile::exists(dir.filePath(QStringLiteral("record.doc")))) {
            state.SkipWithError("LibreOffice did not convert the text");
            break;
        }
        QFile::remove(dir.filePath(QStringLiteral("record.doc")));
    }
    state.SetLabel("soffice --headless --convert-to doc");
}
BENCHMARK(BM_LibreOfficeConvertsTheSameText)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
