#include "record_commands.h"

#include "form.h"
#include "prompter.h"
#include "record_fields.h"
#include "start_up.h"

namespace tamsel::record_commands {

namespace {

const QString Page1 = QStringLiteral("分组框1");
const QString Page2 = QStringLiteral("分组框2");
const QString Page3 = QStringLiteral("分组框3");
const QString Page4 = QStringLiteral("分组框4");
const QString CaseNotes = QStringLiteral("分组框6");
const QString NextButton = QStringLiteral("按钮1");
const QString PreviousButton = QStringLiteral("按钮2");

// The two halves of the record area below the banner.
const QRect LeftHalf(1, 59, 517, 510);
const QRect RightHalf(519, 59, 500, 510);
// Right of the 1025-pixel window: out of view.
constexpr int OutOfView = 1660;

QString control(const char *field)
{
    return recordField(QLatin1String(field)).control;
}

} // namespace

void nextScreen(Form &form)
{
    form.setVisible(Page1, false);
    form.setVisible(Page2, false);
    form.setEnabled(NextButton, false);
    form.setEnabled(PreviousButton, true);
    form.setGeometry(Page3, LeftHalf);
    form.setGeometry(Page4, RightHalf);
    form.setVisible(Page3, true);
    form.setVisible(Page4, true);
}

void previousScreen(Form &form)
{
    form.setVisible(Page1, true);
    form.setVisible(Page2, true);
    form.setEnabled(NextButton, true);
    form.setEnabled(PreviousButton, false);
    for (const QString &page : {Page3, Page4}) {
        QRect g = form.geometry(page);
        g.moveLeft(OutOfView);
        form.setGeometry(page, g);
    }
}

void toggleCaseNotes(Form &form)
{
    form.setGeometry(CaseNotes, RightHalf);
    form.setVisible(CaseNotes, !form.isVisible(CaseNotes));
}

void closeViewer(Form &form)
{
    for (const char16_t *name : {u"超级编辑框1", u"按钮3", u"按钮6"})
        form.setVisible(QString::fromUtf16(name), false);
}

void pair2QuestionPicked(Form &form)
{
    form.insertItem(answerLine(2).control, 0, QStringLiteral("答：") + form.text(control("IntervieweeName")));
}

void pair3QuestionPicked(Form &form)
{
    const QString workUnit = form.text(control("WorkUnit"));
    form.insertItem(answerLine(3).control, 0, QStringLiteral("答：") + workUnit);
    form.insertItem(questionLine(4).control, 0, QStringLiteral("问：") + workUnit + QStringLiteral("负责人是谁？"));
}

void resetRecord(Form &form)
{
    for (const char *field : {"StartYear", "StartMonth", "StartDay", "StartHour", "StartMinute", "EndHour",
                              "EndMinute", "IntervieweeName", "IdNumber", "WorkUnit", "Phone", "OtherContact"})
        form.setText(control(field), QString());
    form.setText(control("IdType"), QStringLiteral("身份证"));
    for (const QString &name : {scratch::UploadFile, scratch::PlaybackFile, scratch::WordPath, scratch::ChosenFile})
        form.setText(name, QString());
    form.setText(control("CaseNotes"), QString());
    for (const char *field : {"PlaceDetail", "DomicileDetail", "Inspector", "OtherParticipants", "Recorder"}) {
        form.setItems(control(field), {});
        form.setText(control(field), QString());
    }
    for (int pair = 1; pair <= PairCount; ++pair) {
        for (const RecordField *line : {&questionLine(pair), &answerLine(pair)}) {
            form.setItems(line->control, {line->question ? QStringLiteral("问：") : QStringLiteral("答：")});
            form.setText(line->control, QString());
        }
    }
}

bool newRecord(Form &form, Prompter &prompter, StartUpHost &host, const Clock &clock,
               const RunDirectory &runDir, int &lineCounter)
{
    if (!form.text(control("WorkUnit")).isEmpty()
        && prompter.message(QStringLiteral("你确认要新建一份新的笔录？"), QStringLiteral("提 示："),
                            Prompter::Buttons::OkCancel)
            != Prompter::Answer::Ok)
        return false;
    resetRecord(form);
    runStartUpSequence(form, host, clock, runDir, lineCounter);
    return true;
}

} // namespace tamsel::record_commands
