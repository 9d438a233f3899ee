#pragma once

#include "fake_form.h"
#include "record_fields.h"
#include "run_directory.h"
#include "temp_home.h"

#include <QDir>

namespace tamsel::test {

// A headless record with its run directory: the settings file carries the
// two closing lines, the header is filled in, the lines are empty.
class RecordFixture
{
public:
    RecordFixture() : runDir(home.makeRunDir())
    {
        applyDesignState(form);
        writeSettings(QStringLiteral("[fenye]\nhang1=被询问人签名：\nhang2=询问人签名：\n"));
        const char *fields[][2] = {{"StartYear", "2024"}, {"StartMonth", "12"}, {"StartDay", "5"},
                                   {"StartHour", "9"},   {"StartMinute", "5"},  {"EndHour", "10"},
                                   {"EndMinute", "30"},  {"Place", "澄梧市"},    {"PlaceDetail", "劳动监察支队"},
                                   {"IntervieweeName", "张三"}, {"Sex", "男"}, {"WorkUnit", "宏达建筑公司"},
                                   {"Inspector", "李明"}};
        for (const auto &f : fields)
            set(f[0], QString::fromUtf8(f[1]));
    }

    void set(const char *field, const QString &text) { form.setText(recordField(QLatin1String(field)).control, text); }
    void writeSettings(const QString &text) { writeGbkFile(runDir.filePath(QStringLiteral("set.ini")), text); }
    // Fills pairs `from`..`to` with short question and answer texts.
    void fillPairs(int from, int to)
    {
        for (int pair = from; pair <= to; ++pair) {
            form.setText(questionLine(pair).control, QStringLiteral("问：第%1问？").arg(pair));
            form.setText(answerLine(pair).control, QStringLiteral("答：第%1答。").arg(pair));
        }
    }
    QString bl(const QString &name) const { return QDir(runDir.recordFolder()).filePath(name); }

    TempHome home;
    RunDirectory runDir;
    FakeForm form;
};

} // namespace tamsel::test
