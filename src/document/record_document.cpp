#include "record_document.h"

#include "atomic_file.h"
#include "base_document.h"
#include "document_session.h"
#include "form.h"
#include "gbk.h"
#include "ini_file.h"
#include "record_fields.h"
#include "record_file_name.h"
#include "run_directory.h"

#include <QDir>

namespace tamsel {

namespace {

using doc::DocumentSession;

// A blank rule of the end fill: a line of underlined blanks.
constexpr int FillRuleBlanks = 69;
// What follows a question or an answer so its rule runs to the margin.
constexpr int LineBlanks = 66;

class Composer
{
public:
    Composer(Form &form, DocumentSession &session, const IniFile &settings, int &lineCounter)
        : m_form(form), m_session(session), m_settings(settings), m_lines(lineCounter)
    {
    }

    void compose()
    {
        title();
        header();
        m_session.typeText(QStringLiteral("笔 录 内 容：\r\n"));
        // Underline stays on through the lines; only the closing lines are plain.
        m_session.setUnderline(true);
        pairs();
        endFill();
    }

private:
    QString field(const char *name) const { return m_form.text(recordField(QLatin1String(name)).control); }

    void plain(const QString &text) { m_session.typeText(text); }
    void underlined(const QString &text)
    {
        m_session.setUnderline(true);
        m_session.typeText(text);
        m_session.setUnderline(false);
    }

    void title()
    {
        m_session.setAlignment(doc::Alignment::Center);
        m_session.setFontSize(22);
        m_session.setBold(true);
        m_session.typeText(QStringLiteral("劳动保障监察询问笔录\r\n\r\n"));
        m_session.setBold(false);
        m_session.setFontSize(14);
        m_session.setAlignment(doc::Alignment::Left);
    }

    // Keeps the time line as wide as ever whatever the digits of month and
    // day, measured in GBK bytes.
    QString separator() const
    {
        const int twoByte = (gbk::byteLength(field("StartMonth")) == 2) + (gbk::byteLength(field("StartDay")) == 2);
        if (twoByte == 2)
            return QStringLiteral("分  至  ");
        if (twoByte == 1)
            return QStringLiteral("分   至  ");
        return QStringLiteral("分   至   ");
    }

    void header()
    {
        const QString two = QStringLiteral("  ");
        plain(QStringLiteral("笔录起至时间："));
        underlined(two + field("StartYear"));
        plain(QStringLiteral("年"));
        underlined(two + field("StartMonth"));
        plain(QStringLiteral("月"));
        underlined(two + field("StartDay"));
        plain(QStringLiteral("日"));
        underlined(two + field("StartHour"));
        plain(QStringLiteral("时"));
        underlined(two + field("StartMinute"));
        plain(separator());
        underlined(two + field("EndHour"));
        plain(QStringLiteral("时"));
        underlined(two + field("EndMinute"));
        plain(QStringLiteral("分\r\n"));

        plain(QStringLiteral("笔录地点："));
        underlined(field("Place") + field("PlaceDetail") + blanks(33) + QStringLiteral("\r\n"));

        plain(QStringLiteral("被询问人姓名："));
        underlined(u' ' + field("IntervieweeName") + u' ');
        plain(QStringLiteral(" 性别："));
        underlined(u' ' + field("Sex") + u' ');
        plain(QStringLiteral(" 户籍所在地："));
        underlined(field("Domicile") + field("DomicileDetail") + blanks(12) + QStringLiteral("\r\n"));

        plain(QStringLiteral("身份证件种类："));
        underlined(u' ' + field("IdType") + u' ');
        plain(QStringLiteral(" 号码："));
        underlined(field("IdNumber") + blanks(36) + QStringLiteral("\r\n"));

        plain(QStringLiteral("工作单位："));
        underlined(field("WorkUnit"));
        plain(QStringLiteral("     职务："));
        underlined(field("Position") + blanks(62) + QStringLiteral("\r\n"));

        plain(QStringLiteral("电话："));
        underlined(field("Phone"));
        plain(QStringLiteral("   其他联系方式："));
        underlined(field("OtherContact") + blanks(80) + QStringLiteral("\r\n"));

        plain(QStringLiteral("询问监察员姓名："));
        underlined(two + field("Inspector") + two);
        plain(QStringLiteral(" 其他参加人："));
        underlined(two + field("OtherParticipants") + two);
        plain(QStringLiteral(" 记录人："));
        underlined(two + field("Recorder") + blanks(17) + QStringLiteral("\r\n\r\n"));
    }

    static QString blanks(int n) { return QString(n, u' '); }

    // The page-end check that follows some pairs: the limit of lines that
    // fills the printed page there, and whether the last-page test applies.
    struct Check
    {
        int limit;
        bool lastPageTest;
    };
    static Check checkAfter(int pair)
    {
        if (pair >= 4 && pair <= 6)
            return {FirstPageLines, false};
        if (pair >= 12 && pair <= 18)
            return {LaterPageLines, true};
        if (pair >= 21 && pair <= 23)
            return {LaterPageLines, false};
        return {0, false};
    }

    // Whether every line of the pairs after `pair` is empty.
    bool nothingAfter(int pair) const
    {
        for (int later = pair + 1; later <= PairCount; ++later) {
            if (!m_form.text(questionLine(later).control).isEmpty() || !m_form.text(answerLine(later).control).isEmpty())
                return false;
        }
        return true;
    }

    void pairs()
    {
        for (int pair = 1; pair <= PairCount; ++pair) {
            const QString question = m_form.text(questionLine(pair).control);
            if (!question.isEmpty()) {
                m_session.typeText(question + blanks(LineBlanks) + QStringLiteral("\r\n"));
                m_session.typeText(m_form.text(answerLine(pair).control) + blanks(LineBlanks) + QStringLiteral("\r\n"));
                m_lines += 2;
            }
            const Check check = checkAfter(pair);
            if (check.limit != 0 && m_lines == check.limit)
                closePage(!(check.lastPageTest && nothingAfter(pair)));
        }
    }

    void closingLines(bool breakAfter)
    {
        m_session.setUnderline(false);
        m_session.typeText(QStringLiteral("  ") + m_settings.text(QStringLiteral("fenye"), QStringLiteral("hang1"))
                           + QStringLiteral("\r\n"));
        m_session.typeText(QStringLiteral("  ") + m_settings.text(QStringLiteral("fenye"), QStringLiteral("hang2"))
                           + (breakAfter ? QStringLiteral("\r\n") : QString()));
    }

    void closePage(bool breakAfter)
    {
        closingLines(breakAfter);
        m_session.setUnderline(true);
        m_lines = 0;
        m_pagesClosed = true;
    }

    // The last page is filled up with blank rules to the lines its printed
    // page holds and closed, so the closing lines stand at its foot. A record
    // that ends on the first page is filled to that page's 8 lines: filled to
    // 20, its closing lines would slide onto a second sheet.
    void endFill()
    {
        if (m_lines == 0)
            return;
        const int pageLines = m_pagesClosed ? LaterPageLines : FirstPageLines;
        if (m_lines < pageLines - 1) {
            for (int i = m_lines; i < pageLines; ++i)
                m_session.typeText(blanks(FillRuleBlanks) + QStringLiteral("\r\n"));
            m_lines = 0;
        }
        closingLines(false);
    }

    Form &m_form;
    DocumentSession &m_session;
    const IniFile &m_settings;
    int &m_lines;
    bool m_pagesClosed = false;
};

// Line breaks of the case notes become blanks: a template value is one line.
void flattenCaseNotes(Form &form)
{
    const QString control = recordField(QStringLiteral("CaseNotes")).control;
    QString notes = form.text(control);
    notes.replace(u'\r', u' ').replace(u'\n', u' ');
    form.setText(control, notes);
}

} // namespace

Result<ComposedRecord> composeRecordDocument(Form &form, DocumentSession &session, const RunDirectory &runDir,
                                             int &lineCounter)
{
    const Result<QString> templateFile = templatePath(form, runDir);
    if (!templateFile)
        return templateFile.status();

    QDir().mkpath(runDir.recordFolder());
    const QString base = QDir(runDir.recordFolder()).filePath(QStringLiteral("Doc.doc"));
    (void)writeFileAtomically(base, doc::baseDocumentBytes());
    session.startWord();
    session.attachDocuments();
    session.openDocument(base);
    session.setVisible(false);
    lineCounter = 0;

    const IniFile settings = IniFile::load(runDir.settingsFile());
    Composer(form, session, settings, lineCounter).compose();
    flattenCaseNotes(form);

    return ComposedRecord{RecordTemplate::fromForm(form), templateFile.value(), documentPath(form, runDir).value()};
}

} // namespace tamsel
