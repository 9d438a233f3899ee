// "保存(笔录及模板)" of a full record of 24 pairs: composing it, writing the
// .doc and writing the template, as the window does it; the safety copy the
// window writes of an unsaved record every few seconds; beside them, once,
// LibreOffice headless converting the same record to .doc.
#include "atomic_file.h"
#include "memory_form.h"
#include "memory_prompter.h"
#include "native_document_session.h"
#include "record_fields.h"
#include "record_output.h"
#include "record_recovery.h"
#include "run_directory.h"

#include <QDir>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

void fillRecord(tamsel::Form &form)
{
    tamsel::applyDesignState(form);
    const char *fields[][2] = {{"StartYear", "2024"}, {"StartMonth", "12"}, {"StartDay", "5"}, {"StartHour", "9"},
                               {"StartMinute", "5"}, {"EndHour", "11"}, {"EndMinute", "30"},
                               {"IntervieweeName", "张三"}, {"WorkUnit", "宏达建筑公司"}, {"Inspector", "李明"}};
    for (const auto &f : fields)
        form.setText(tamsel::recordField(QLatin1String(f[0])).control, QString::fromUtf8(f[1]));
    for (int pair = 1; pair <= tamsel::PairCount; ++pair) {
        form.setText(tamsel::questionLine(pair).control, QStringLiteral("问：你在该单位工作期间的工资是怎样约定的？第%1问").arg(pair));
        form.setText(tamsel::answerLine(pair).control, QStringLiteral("答：每月三千元，老板拖欠了三个月。第%1答").arg(pair));
    }
}

// Answers Yes to replacing the files of the last round, No to the preview.
class Answers : public tamsel::MemoryPrompter
{
public:
    Answer message(const QString &text, const QString &caption, Buttons buttons) override
    {
        MemoryPrompter::message(text, caption, buttons);
        return text.contains(QStringLiteral("覆盖")) ? Answer::Yes : Answer::No;
    }
};

// Saves the record into the run directory; gives the document's path.
QString saveRecordInto(const tamsel::RunDirectory &runDir, tamsel::Form &form)
{
    Answers prompter;
    int lineCounter = 0;
    tamsel::doc::NativeDocumentSession session;
    tamsel::RecordOutput output{form, prompter, runDir, session, lineCounter};
    tamsel::saveRecord(output);
    return QDir(runDir.recordFolder()).filePath(QStringLiteral("2024.12.5-宏达建筑公司-张三.doc"));
}

void BM_SaveFullRecord(benchmark::State &state)
{
    QTemporaryDir dir;
    const tamsel::RunDirectory runDir(dir.path());
    tamsel::MemoryForm form;
    fillRecord(form);
    QString document;
    for (auto _ : state)
        document = saveRecordInto(runDir, form);
    state.counters["doc_bytes"] = static_cast<double>(QFileInfo(document).size());
}
BENCHMARK(BM_SaveFullRecord)->Unit(benchmark::kMillisecond);

// One tick of the safety copy for a record that changed since the last one:
// reading the form and writing the template aside, on the window's thread.
void BM_WriteLeftRecord(benchmark::State &state)
{
    QTemporaryDir dir;
    tamsel::RecordRecovery recovery{tamsel::RunDirectory(dir.path())};
    tamsel::MemoryForm form;
    fillRecord(form);
    int tick = 0;
    for (auto _ : state) {
        form.setText(tamsel::answerLine(24).control, QStringLiteral("答：没有了。%1").arg(++tick));
        if (!recovery.write(tamsel::RecordTemplate::fromForm(form)))
            state.SkipWithError("the copy could not be written");
    }
}
BENCHMARK(BM_WriteLeftRecord)->Unit(benchmark::kMillisecond);

// LibreOffice headless writing the same record as .doc, once, for comparison.
void timeLibreOffice()
{
    QTemporaryDir dir;
    const tamsel::RunDirectory runDir(dir.path());
    tamsel::MemoryForm form;
    fillRecord(form);
    const QString doc = saveRecordInto(runDir, form);
    QElapsedTimer timer;
    timer.start();
    QProcess soffice;
    soffice.start(QStringLiteral("soffice"),
                  {QStringLiteral("-env:UserInstallation=file://") + dir.path() + QStringLiteral("/lo"),
                   QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("doc:MS Word 97"),
                   QStringLiteral("--outdir"), dir.filePath(QStringLiteral("out")), doc});
    if (!soffice.waitForFinished(300000) || soffice.exitCode() != 0) {
        std::printf("LibreOffice conversion: not available\n");
        return;
    }
    std::printf("LibreOffice headless converting the same record to .doc: %lld ms\n",
                static_cast<long long>(timer.elapsed()));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    timeLibreOffice();
    return 0;
}
