// The native document session against the contracts its callers rely on,
// and the recording session that logs them.
#include "atomic_file.h"
#include "base_document.h"
#include "gbk.h"
#include "doc_cases.h"
#include "doc_reader.h"
#include "doc_writer.h"
#include "external_readers.h"
#include "native_document_session.h"
#include "office_programs.h"
#include "recording_document_session.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tamsel;
using namespace tamsel::doc;
using namespace tamsel::test;

namespace {

class Session : public testing::Test
{
protected:
    Session()
        : m_session(NativeDocumentSession::Services{
              [this](const Document &d) {
                  m_printed.push_back(d);
                  return m_printStatus;
              },
              [this](const QString &path) {
                  m_printedFiles << path;
                  return Status::success();
              },
              [this](const QString &path) {
                  m_shown << path;
                  return true;
              }})
    {
    }

    QString file(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    void openBase()
    {
        m_session.startWord();
        m_session.attachDocuments(false);
        m_session.openDocument(file(QStringLiteral("Doc.doc"), baseDocumentBytes()));
        m_session.setVisible(false);
        ASSERT_TRUE(m_session.lastOpenStatus().ok()) << m_session.lastOpenStatus().message().toStdString();
    }

    QTemporaryDir m_dir;
    std::vector<Document> m_printed;
    QStringList m_printedFiles, m_shown;
    Status m_printStatus = Status::success();
    NativeDocumentSession m_session;
};

TEST_F(Session, typedTextLandsWithTheFormatSetBeforeIt)
{
    openBase();
    m_session.setAlignment(Alignment::Center);
    m_session.setFontSize(22);
    m_session.setBold(true);
    m_session.typeText(QStringLiteral("劳动保障监察询问笔录\r\n\r\n"));
    m_session.setBold(false);
    m_session.setFontSize(14);
    m_session.setAlignment(Alignment::Left);
    m_session.typeText(QStringLiteral("笔录地点："));
    m_session.setUnderline(true);
    m_session.typeText(QStringLiteral("某地") + QString(33, QLatin1Char(' ')) + QStringLiteral("\r\n"));
    m_session.setUnderline(false);
    m_session.typeText(QStringLiteral("  hang2"));

    const std::optional<Document> document = m_session.currentDocument();
    ASSERT_TRUE(document);
    ASSERT_EQ(document->body.size(), 4u);
    const auto &title = std::get<Paragraph>(document->body[0]);
    EXPECT_EQ(title.alignment, Alignment::Center);
    EXPECT_EQ(title.runs, (std::vector<doc::Run>{run(QStringLiteral("劳动保障监察询问笔录"), true, 22)}));
    const auto &blank = std::get<Paragraph>(document->body[1]);
    EXPECT_TRUE(blank.runs.empty());
    EXPECT_EQ(blank.alignment, Alignment::Center); // SetAlignment(0) came after its mark
    EXPECT_EQ(blank.markFormat.sizePt, 22);
    const auto &place = std::get<Paragraph>(document->body[2]);
    EXPECT_EQ(place.alignment, Alignment::Left);
    EXPECT_EQ(place.runs, (std::vector<doc::Run>{run(QStringLiteral("笔录地点：")),
                                                 run(QStringLiteral("某地") + QString(33, QLatin1Char(' ')), false, 14, true)}));
    EXPECT_EQ(std::get<Paragraph>(document->body[3]).runs, (std::vector<doc::Run>{run(QStringLiteral("  hang2"))}));
    EXPECT_EQ(document->page, baseDocument().page);
    EXPECT_EQ(document->footer, baseDocument().footer);

    const QString saved = m_dir.filePath(QStringLiteral("2026.12.11-单位-张三.doc"));
    m_session.saveDocumentAs(saved);
    ASSERT_TRUE(m_session.lastSaveStatus().ok()) << m_session.lastSaveStatus().message().toStdString();
    Result<DocSummary> summary = readDocSummary(readFileBytes(saved));
    ASSERT_TRUE(summary.ok());
    EXPECT_EQ(summary.value().page, baseDocument().page);
    EXPECT_EQ(summary.value().mainText, QStringLiteral("劳动保障监察询问笔录\r\r笔录地点：某地") +
                                            QString(33, QLatin1Char(' ')) + QStringLiteral("\r  hang2\r"));
    EXPECT_TRUE(summary.value().hasHeaderOrFooter);
    EXPECT_TRUE(antiwordText(saved).contains(QStringLiteral("hang2")));

    m_session.printDocument();
    ASSERT_EQ(m_printed.size(), 1u);
    EXPECT_EQ(m_printed[0], *document);
}

TEST_F(Session, withoutADocumentSavePrintAndCloseDoNothing)
{
    m_session.startWord();
    m_session.attachDocuments(false);
    m_session.openDocument(m_dir.filePath(QStringLiteral("missing.doc")));
    EXPECT_FALSE(m_session.lastOpenStatus().ok());
    m_session.typeText(QStringLiteral("text\r\n"));
    const QString path = m_dir.filePath(QStringLiteral("out.doc"));
    m_session.saveDocumentAs(path);
    m_session.printDocument();
    m_session.closeDocument();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(m_session.lastSaveStatus().ok());
    EXPECT_FALSE(m_session.lastPrintStatus().ok());
    EXPECT_TRUE(m_printed.empty());
    EXPECT_TRUE(m_printedFiles.empty());
}

TEST_F(Session, openingBeforeStartingOpensNothing)
{
    m_session.openDocument(file(QStringLiteral("Doc.doc"), baseDocumentBytes()));
    EXPECT_FALSE(m_session.lastOpenStatus().ok());
    EXPECT_FALSE(m_session.currentDocument());
}

TEST_F(Session, aFailedSaveOrPrintIsReportedAndTheOldFileSurvives)
{
    openBase();
    m_session.typeText(QStringLiteral("正文"));
    const QString blocked = m_dir.filePath(QStringLiteral("no-such-folder/x.doc"));
    m_session.saveDocumentAs(blocked);
    EXPECT_FALSE(m_session.lastSaveStatus().ok());
    EXPECT_TRUE(m_session.lastSaveStatus().message().contains(blocked));

    m_printStatus = Status::failure(QStringLiteral("无法打印：系统没有配置打印机"));
    m_session.printDocument();
    EXPECT_EQ(m_session.lastPrintStatus().message(), QStringLiteral("无法打印：系统没有配置打印机"));
}

TEST_F(Session, aDocumentOfAnotherWriterIsKeptAsItsBytes)
{
    // A blank form with text in it: printed and saved as it is, never rewritten.
    Document form;
    form.body = {paragraph({run(QStringLiteral("询问通知书"), true, 22)}, Alignment::Center)};
    const QByteArray bytes = docBytes(form);
    const QString path = file(QStringLiteral("ws3.doc"), bytes);
    m_session.startWord();
    m_session.attachDocuments(false);
    m_session.openDocument(path);
    ASSERT_TRUE(m_session.lastOpenStatus().ok());
    m_session.typeText(QStringLiteral("ignored"));
    m_session.printDocument();
    EXPECT_EQ(m_printedFiles, QStringList{path});
    EXPECT_TRUE(m_printed.empty());
    const QString copy = m_dir.filePath(QStringLiteral("copy.doc"));
    m_session.saveDocumentAs(copy);
    EXPECT_EQ(readFileBytes(copy), bytes);
    m_session.setVisible(true);
    EXPECT_EQ(m_shown, QStringList{copy});
}

TEST_F(Session, aTextFileIsPrintedAsItsLines)
{
    const QString path = file(QStringLiteral("劳动法.txt"), gbk::encode(QStringLiteral("第一条\r\n第二条\r\n")));
    m_session.startWord();
    m_session.attachDocuments(false);
    m_session.openDocument(path);
    m_session.setVisible(false);
    m_session.printDocument();
    m_session.closeDocument();
    m_session.quitWord();
    ASSERT_EQ(m_printed.size(), 1u);
    EXPECT_EQ(plainText(m_printed[0]), QStringLiteral("第一条\n第二条\n"));
}

TEST_F(Session, startingAgainDropsTheDocumentAndTheFormat)
{
    openBase();
    m_session.setBold(true);
    m_session.typeText(QStringLiteral("x"));
    m_session.startWord();
    EXPECT_FALSE(m_session.currentDocument());
    m_session.attachDocuments(true); // a new empty document
    m_session.typeText(QStringLiteral("y"));
    ASSERT_TRUE(m_session.currentDocument());
    EXPECT_EQ(std::get<Paragraph>(m_session.currentDocument()->body.at(0)).runs,
              (std::vector<doc::Run>{run(QStringLiteral("y"))}));
}

TEST(RecordingSession, logsTheCallsInOrderAndForwardsThem)
{
    NativeDocumentSession native(NativeDocumentSession::Services{});
    RecordingDocumentSession recording(&native);
    recording.startWord();
    recording.attachDocuments(false);
    recording.setVisible(false);
    recording.setAlignment(Alignment::Center);
    recording.setFontSize(22);
    recording.setBold(true);
    recording.typeText(QStringLiteral("标题\r\n"));
    recording.setUnderline(false);
    recording.saveDocumentAs(QStringLiteral("/x.doc"));
    recording.printDocument();
    recording.closeDocument();
    recording.quitWord();
    recording.detachDocuments();
    recording.releaseWord();
    EXPECT_EQ(recording.calls(),
              (QStringList{"StartWord", "AttachDocuments(0)", "SetVisible(0)", "SetAlignment(1)", "SetFontSize(22)",
                           "SetBold(1)", "TypeText(标题\r\n)", "SetUnderline(0)", "SaveDocumentAs(/x.doc)",
                           "PrintDocument", "CloseDocument", "QuitWord", "DetachDocuments", "ReleaseWord"}));
    EXPECT_EQ(recording.typedText(), QStringLiteral("标题\r\n"));
    // Forwarded: the native session had no document, so its save failed.
    EXPECT_FALSE(recording.lastSaveStatus().ok());

    RecordingDocumentSession alone;
    alone.setSaveStatus(Status::failure(QStringLiteral("disk full")));
    EXPECT_EQ(alone.lastSaveStatus().message(), QStringLiteral("disk full"));
}

TEST(OfficeProbe, findsLibreOfficeThenWpsElseNone)
{
    QTemporaryDir dir;
    EXPECT_EQ(findOfficeSuite({dir.path()}).kind, OfficeSuite::Kind::None);
    EXPECT_EQ(findOfficeSuite({dir.path()}).name(), QStringLiteral("none"));
    EXPECT_FALSE(showInOffice(findOfficeSuite({dir.path()}), dir.path()));

    for (const char *name : {"wps", "et"}) {
        QFile program(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(program.open(QIODevice::WriteOnly));
        program.write("#!/bin/sh\n");
        program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const OfficeSuite wps = findOfficeSuite({dir.path()});
    EXPECT_EQ(wps.kind, OfficeSuite::Kind::Wps);
    EXPECT_EQ(wps.writer, dir.filePath(QStringLiteral("wps")));
    EXPECT_EQ(wps.spreadsheet, dir.filePath(QStringLiteral("et")));
    const Status print = printWithOffice(wps, dir.filePath(QStringLiteral("wps")));
    EXPECT_FALSE(print.ok()); // WPS cannot print unseen: said so, not claimed

    const OfficeSuite here = findOfficeSuite();
    if (here.kind == OfficeSuite::Kind::LibreOffice)
        EXPECT_TRUE(here.writer.endsWith(QStringLiteral("office")));
    EXPECT_FALSE(printWithOffice(OfficeSuite(), QStringLiteral("/x.doc")).ok());
}

} // namespace
